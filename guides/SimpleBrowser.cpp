#include "SimpleBrowser.h"

#include "CWizardEffects.h"
#include "PrintModuleLoader.h"
#include "WizardPalette.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

namespace {

const QString kBlankPage = QStringLiteral("about:blank");
constexpr char kCannotPrint[] =
    "The wizard cannot print, because a part of it is missing or damaged:\n\n%1\n\nPlease "
    "install the wizard again (in a terminal: sudo apt install --reinstall "
    "tarnix-setup-wizard), then print the guide again.";

QWidget* FindControl(QWidget* page, int controlId)
{
    for (QWidget* child : page->findChildren<QWidget*>())
    {
        if (child->property(kControlIdProperty) == controlId)
            return child;
    }
    return nullptr;
}

}  // namespace

SimpleBrowser::SimpleBrowser() = default;

bool SimpleBrowser::CreateFromControl(QWidget* page, int placeholderId)
{
    QWidget* placeholder = page ? FindControl(page, placeholderId) : nullptr;
    if (!placeholder)
        return false;
    const QRect rect(placeholder->mapTo(page, QPoint(0, 0)), placeholder->size());
    delete placeholder;
    return Create(page, rect, placeholderId);
}

bool SimpleBrowser::Create(QWidget* parent, const QRect& rect, int controlId)
{
    if (m_view)
        return true;
    setParent(parent);
    setProperty(kControlIdProperty, controlId);
    setGeometry(rect);
    m_view = new QTextBrowser(this);
    // The guides are written for a white page, also when printed off-screen.
    m_view->setPalette(WizardPalette());
    m_view->setProperty(kControlIdProperty, kBrowserViewControlId);
    m_view->setGeometry(this->rect());
    m_view->setOpenLinks(false);
    connect(m_view, &QTextBrowser::anchorClicked, this, &SimpleBrowser::Navigate);
    connect(m_view, &QTextBrowser::highlighted, this, [this](const QUrl& url) {
        NotifyEvent(BrowserEvent::StatusTextChange, {}, url.toString());
    });
    Navigate(QUrl(kBlankPage));
    if (parent)
        show();
    return true;
}

bool SimpleBrowser::IsCreated() const
{
    return m_view != nullptr;
}

void SimpleBrowser::Clear()
{
    if (!m_view)
        return;
    m_html.clear();
    m_view->clear();
    NotifyEvent(BrowserEvent::DocumentComplete, kBlankPage);
}

void SimpleBrowser::Write(const QString& html)
{
    if (!m_view)
        return;
    // Like a document left open for writing: a further write appends.
    m_html += html;
    m_view->setHtml(m_html);
    if (m_view->documentTitle() != m_title)
    {
        m_title = m_view->documentTitle();
        NotifyEvent(BrowserEvent::TitleChange, {}, m_title);
    }
}

void SimpleBrowser::Print(const QString& header, const QString& footer)
{
    if (!m_view)
        return;
    const PrintCalls* print = PrintModule();
    if (!print)
    {
        WizardEffects().ShowMessage(
            this, QString(kCannotPrint).arg(QString::fromStdString(PrintModuleProblem())),
            ProgramName(), QMessageBox::Warning);
        return;
    }
    print->PrintDocument(*m_view->document(), header, footer, [this](QPrinter& printer) {
        return WizardEffects().ChoosePrinter(printer, this);
    });
}

const QTextDocument* SimpleBrowser::Document() const
{
    return m_view ? m_view->document() : nullptr;
}

void SimpleBrowser::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_view)
        m_view->setGeometry(rect());
}

// The view has no network and the guides link nowhere else, so only the blank
// page and anchors within the document are followed; other links are announced
// and left alone.
void SimpleBrowser::Navigate(const QUrl& url)
{
    const QString address = url.toString();
    const bool inDocument = url.path().isEmpty() && url.hasFragment();
    if (!NotifyEvent(BrowserEvent::BeforeNavigate, address)
        || !(inDocument || address == kBlankPage))
        return;
    if (inDocument)
    {
        m_view->scrollToAnchor(url.fragment());
    }
    else
    {
        m_html.clear();
        m_view->clear();
    }
    NotifyEvent(BrowserEvent::NavigateComplete, address);
    NotifyEvent(BrowserEvent::DocumentComplete, address);
}

bool SimpleBrowser::NotifyEvent(BrowserEvent code, const QString& url, const QString& text)
{
    BrowserNotification record;
    record.Window = this;
    record.ControlId = property(kControlIdProperty).toInt();
    record.Code = code;
    record.Url = url;
    record.Text = text;
    emit Notify(record);
    return !record.Cancel;
}
