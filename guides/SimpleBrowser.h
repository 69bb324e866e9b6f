#pragma once
// A child window that shows an HTML document built in memory and prints it.
// It starts on a blank page; Clear and Write replace the whole document. Every
// operation does nothing until creation has succeeded.

#include <QByteArray>
#include <QString>
#include <QWidget>

#include <functional>

class QTextBrowser;
class QTextDocument;
class QUrl;

// The guide pages mark the place of their browser with this control id.
inline constexpr int kGuidePlaceholderId = 1162;
// The HTML view inside the host window.
inline constexpr int kBrowserViewControlId = 59648;
// The dynamic property that carries a widget's control id.
inline constexpr char kControlIdProperty[] = "controlId";

enum class BrowserEvent
{
    BeforeNavigate = 0,
    DocumentComplete = 1,
    DownloadBegin = 2,
    ProgressChange = 3,
    DownloadComplete = 4,
    NavigateComplete = 5,
    StatusTextChange = 6,
    TitleChange = 7,
};

// One browser event, as the parent hears of it.
struct BrowserNotification
{
    QWidget* Window = nullptr;
    int ControlId = 0;
    BrowserEvent Code = BrowserEvent::BeforeNavigate;
    QString Url;
    QString Frame;
    QByteArray PostData;
    QString Headers;
    int Progress = 0;
    int ProgressMax = 0;
    QString Text;
    // Before navigate: a directly connected receiver sets this to stop the navigation.
    bool Cancel = false;
};

class SimpleBrowser : public QWidget
{
    Q_OBJECT

public:
    SimpleBrowser();

    // Takes the place of the child of page whose control id is placeholderId.
    bool CreateFromControl(QWidget* page, int placeholderId);
    // A null parent makes an off-screen browser, as used for printing.
    bool Create(QWidget* parent, const QRect& rect, int controlId);
    bool IsCreated() const;

    void Clear();
    void Write(const QString& html);
    void Print(const QString& header, const QString& footer);

    // What is shown now, for whoever needs the document itself.
    const QTextDocument* Document() const;

signals:
    void Notify(BrowserNotification& record);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Navigate(const QUrl& url);
    // False when a receiver cancelled (before navigate only).
    bool NotifyEvent(BrowserEvent code, const QString& url = {}, const QString& text = {});

    QTextBrowser* m_view = nullptr;
    QString m_html;
    QString m_title;
};
