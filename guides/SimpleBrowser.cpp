#include "SimpleBrowser.h"

#include "CWizardEffects.h"
#include "WizardPalette.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

#include <memory>

namespace {

const QString kBlankPage = QStringLiteral("about:blank");
const QMarginsF kPrintMargins{15, 15, 15, 15};

QWidget* FindControl(QWidget* page, int controlId)
{
    for (QWidget* child : page->findChildren<QWidget*>())
    {
        if (child->property(kControlIdProperty) == controlId)
            return child;
    }
    return nullptr;
}

// The resolution the document is laid out in when no device is set.
qreal LayoutDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
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
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(kPrintMargins, QPageLayout::Millimeter);
    if (WizardEffects().ChoosePrinter(printer, this))
        PrintTextDocument(*m_view->document(), printer, header, footer);
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

void PrintTextDocument(const QTextDocument& document, QPrinter& printer, const QString& header,
                       const QString& footer)
{
    QPainter painter(&printer);
    if (!painter.isActive())
        return;
    const std::unique_ptr<QTextDocument> pages(document.clone());
    const qreal scale = printer.resolution() / LayoutDpi();
    const qreal width = printer.width() / scale;
    const qreal lineHeight = QFontMetricsF(pages->defaultFont()).height() * 1.5;
    const qreal top = header.isEmpty() ? 0 : lineHeight;
    const qreal bottom = footer.isEmpty() ? 0 : lineHeight;
    const qreal bodyHeight = printer.height() / scale - top - bottom;
    pages->setPageSize(QSizeF(width, bodyHeight));

    // Header and footer in printer units, so their font keeps its point size.
    painter.setFont(pages->defaultFont());
    const QRectF headerRect(0, 0, printer.width(), top * scale);
    const QRectF footerRect(0, (top + bodyHeight) * scale, printer.width(), bottom * scale);
    for (int page = 0; page < pages->pageCount(); ++page)
    {
        if (page > 0)
            printer.newPage();
        painter.drawText(headerRect, Qt::AlignCenter, header);
        painter.drawText(footerRect, Qt::AlignCenter, footer);
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, top - page * bodyHeight);
        pages->drawContents(&painter, QRectF(0, page * bodyHeight, width, bodyHeight));
        painter.restore();
    }
}
