#pragma once
// The help browser: a window showing the program's help pages. A topic is named as "HTML/<page>#anchor",
// for example "HTML/mainInput.htm#TotalAcres"; the pages live in the help folder (data/help beside the
// program), page names are matched without regard to case, and a topic that does not exist shows a plain
// "not found" page.
#include <QString>
#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace korvel::ui {

class HelpBrowser : public QWidget {
    Q_OBJECT
public:
    explicit HelpBrowser(const QString& helpFolder, QWidget* parent = nullptr);

    QString helpFolder() const { return helpFolder_; }
    void setHelpFolder(const QString& folder);

    // Shows a topic ("HTML/page.htm#anchor", "page.htm", ...). True when its page was found.
    bool showTopic(const QString& topic);

    // What the browser shows: the topic last asked for, the page file (absolute path; empty on the
    // "not found" page) and the anchor within it (empty when none). Following a link updates them.
    QString requestedTopic() const { return requestedTopic_; }
    QString resolvedFile() const { return resolvedFile_; }
    QString anchor() const { return anchor_; }
    bool topicFound() const { return !resolvedFile_.isEmpty(); }

    QTextBrowser* view() const { return view_; }

    // The page file of a page path ("mainInput.htm", "HTML/maininput.htm", "sub/Page.htm") in `folder`,
    // each name matched without regard to case; empty when there is none or the path leaves the folder.
    static QString resolvePage(const QString& folder, const QString& pagePath);

private:
    void follow(const QUrl& link);
    void showPage(const QString& file, const QString& anchor);
    void showNotFound(const QString& topic);
    void sourceChanged(const QUrl& source);

    QString helpFolder_;
    QString requestedTopic_;
    QString resolvedFile_;
    QString anchor_;
    bool showingNotFound_ = false;
    QTextBrowser* view_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QPushButton* contents_ = nullptr;
};

} // namespace korvel::ui
