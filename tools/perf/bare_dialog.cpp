// The yardstick for start-up: a bare Qt dialog showing one picture, the
// welcome page's background. Run from the data folder.

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPixmap>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    QLabel picture(&dialog);
    picture.setPixmap(QPixmap("pic/BG/1000.gif"));
    dialog.resize(picture.sizeHint());
    return dialog.exec();
}
