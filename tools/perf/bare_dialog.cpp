// The yardstick for start-up: a bare Qt dialog showing one picture, the
// welcome page's background, from its 2 x file on a screen scaled above 1 as
// the wizard would. Run from the data folder. With --with-text it shows one
// line of text over the picture too: the second yardstick, which pays for
// the fonts as every wizard page must.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPixmap>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool doubled = app.devicePixelRatio() > 1.0;
    QPixmap background(doubled ? "pic/BG/1000@2x.gif" : "pic/BG/1000.gif");
    background.setDevicePixelRatio(doubled ? 2 : 1);
    QDialog dialog;
    QLabel picture(&dialog);
    picture.setPixmap(background);
    if (app.arguments().contains("--with-text"))
        new QLabel("Welcome", &dialog);  // the dialog owns it
    dialog.resize(picture.sizeHint());
    return dialog.exec();
}
