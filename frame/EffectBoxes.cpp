// The real effects' boxes and dialogs. Without a parent named, they belong to
// the window of the page on top of the chain.
#include "CWizardEffects.h"

#include "CWizardPage.h"
#include "PrintModuleLoader.h"

#include <QFileDialog>
#include <QPushButton>

namespace {

// Boxes belong to the wizard's window: the one window stays the only one
// the desktop lists, and the box moves with it.
QWidget* BoxOwner(QWidget* parent)
{
    return parent ? parent : CWizardPage::TopPage();
}

void MakeWindowModal(QMessageBox& box)
{
    if (box.parentWidget())
        box.setWindowModality(Qt::WindowModal);
}

}  // namespace

QMessageBox::StandardButton CWizardEffects::ShowMessage(QWidget* parent, const QString& text,
                                                        const QString& caption,
                                                        QMessageBox::Icon icon,
                                                        QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, BoxOwner(parent));
    MakeWindowModal(box);
    // Paths and addresses in messages can be copied to open them another way.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool CWizardEffects::AskChoice(QWidget* parent, const QString& text, const QString& caption,
                               const QString& goText, const QString& stayText)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, BoxOwner(parent));
    MakeWindowModal(box);
    const QAbstractButton* go = box.addButton(goText, QMessageBox::AcceptRole);
    QPushButton* stay = box.addButton(stayText, QMessageBox::RejectRole);
    box.setDefaultButton(stay);
    box.setEscapeButton(stay);
    box.exec();
    return box.clickedButton() == go;
}

QString CWizardEffects::AskSaveFileName(QWidget* parent, const QString& caption,
                                        const QString& suggestedPath)
{
    return QFileDialog::getSaveFileName(BoxOwner(parent), caption, suggestedPath,
                                        QStringLiteral("Text files (*.txt)"));
}

// Only the print module makes printers, so it is loaded by then.
bool CWizardEffects::ChoosePrinter(QPrinter& printer, QWidget* parent)
{
    const PrintCalls* print = PrintModule();
    return print && print->ChooseInDialog(printer, parent);
}
