#include "ui/platform/HelpBrowser.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/platform/ButtonKeys.h"
#include "ui/platform/CloseOnDeactivate.h"

namespace korvel::ui {

namespace {
const QString kContentsPage = QStringLiteral("index.htm");

// "HTML/page.htm#anchor" -> ("page.htm", "anchor"); the "HTML/" root of every topic name is dropped.
std::pair<QString, QString> splitTopic(const QString& topic)
{
    QString page = topic.trimmed();
    QString anchor;
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        anchor = page.mid(hash + 1);
        page = page.left(hash);
    }
    page.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (page.startsWith(QStringLiteral("HTML/"), Qt::CaseInsensitive))
        page = page.mid(5);
    return {page, anchor};
}
} // namespace

HelpBrowser::HelpBrowser(const QString& helpFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), helpFolder_(helpFolder)
{
    setObjectName(QStringLiteral("helpBrowser"));
    setWindowTitle(QStringLiteral("Korvel Help"));
    // The help browser stands outside the program's windows: it neither keeps the program running once
    // the last program window closes, nor closes the small windows that close when another one is used.
    setAttribute(Qt::WA_QuitOnClose, false);
    setProperty(kStandsApartProperty, true);

    view_ = new QTextBrowser(this);
    view_->setObjectName(QStringLiteral("txtHelpPage"));
    view_->setOpenLinks(false);
    back_ = new QPushButton(QStringLiteral("Back"), this);
    back_->setObjectName(QStringLiteral("cmdBack"));
    forward_ = new QPushButton(QStringLiteral("Forward"), this);
    forward_->setObjectName(QStringLiteral("cmdForward"));
    contents_ = new QPushButton(QStringLiteral("Contents"), this);
    contents_->setObjectName(QStringLiteral("cmdContents"));
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(view_);
    resize(760, 600);

    connect(back_, &QPushButton::clicked, view_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, view_, &QTextBrowser::forward);
    connect(contents_, &QPushButton::clicked, this, [this] { showTopic(kContentsPage); });
    connect(view_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(view_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    connect(view_, &QTextBrowser::anchorClicked, this, &HelpBrowser::follow);
    connect(view_, &QTextBrowser::sourceChanged, this, &HelpBrowser::sourceChanged);
    closeOnEscape(this);
}

void HelpBrowser::setHelpFolder(const QString& folder)
{
    helpFolder_ = folder;
}

QString HelpBrowser::resolvePage(const QString& folder, const QString& pagePath)
{
    if (folder.isEmpty())
        return {};
    QDir dir(folder);
    if (!dir.exists())
        return {};
    const QStringList parts =
        QString(pagePath).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return {};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part == QStringLiteral(".") || part == QStringLiteral(".."))
            return {};
        const bool last = i + 1 == parts.size();
        const QStringList entries = dir.entryList((last ? QDir::Files : QDir::Dirs) | QDir::NoDotAndDotDot, QDir::Name);
        QString match;
        for (const QString& entry : entries) {
            if (entry == part) {
                match = entry;
                break;
            }
            if (match.isEmpty() && entry.compare(part, Qt::CaseInsensitive) == 0)
                match = entry;
        }
        if (match.isEmpty())
            return {};
        if (last)
            return QFileInfo(dir.filePath(match)).absoluteFilePath();
        dir.cd(match);
    }
    return {};
}

bool HelpBrowser::showTopic(const QString& topic)
{
    requestedTopic_ = topic;
    const auto [page, anchor] = splitTopic(topic);
    const QString file = resolvePage(helpFolder_, page);
    if (file.isEmpty()) {
        showNotFound(topic);
        return false;
    }
    showPage(file, anchor);
    return true;
}

void HelpBrowser::showPage(const QString& file, const QString& anchor)
{
    QUrl url = QUrl::fromLocalFile(file);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    resolvedFile_ = file;
    anchor_ = anchor;
    const bool samePage = view_->source().adjusted(QUrl::RemoveFragment) == url.adjusted(QUrl::RemoveFragment);
    view_->setSource(url);
    if (samePage && showingNotFound_) {
        // The "not found" text replaced the page without changing the browser's source.
        view_->reload();
        if (!anchor.isEmpty())
            view_->scrollToAnchor(anchor);
    }
    if (samePage && anchor.isEmpty())
        view_->verticalScrollBar()->setValue(0);
    showingNotFound_ = false;
    setWindowTitle(view_->documentTitle().isEmpty() ? QStringLiteral("Korvel Help")
                                                    : QStringLiteral("Korvel Help - ") + view_->documentTitle());
}

void HelpBrowser::showNotFound(const QString& topic)
{
    resolvedFile_.clear();
    anchor_.clear();
    showingNotFound_ = true;
    view_->setHtml(QStringLiteral("<html><head><title>Topic not found</title></head><body>"
                                  "<h2>Topic not found</h2>"
                                  "<p>The help topic <b>%1</b> is not part of Korvel's help.</p>"
                                  "<p><a href=\"index.htm\">Go to the help contents</a></p>"
                                  "</body></html>")
                       .arg(topic.toHtmlEscaped()));
    setWindowTitle(QStringLiteral("Korvel Help - Topic not found"));
}

void HelpBrowser::follow(const QUrl& link)
{
    const QString scheme = link.scheme().toLower();
    if (!scheme.isEmpty() && scheme != QStringLiteral("file")) {
        QDesktopServices::openUrl(link);
        return;
    }
    if (link.path().isEmpty() && link.hasFragment()) {
        // An anchor on the same page.
        if (!resolvedFile_.isEmpty())
            showPage(resolvedFile_, link.fragment());
        return;
    }
    // A page of the help: relative to the page shown (or the help folder on the "not found" page).
    QString path = link.isLocalFile() ? link.toLocalFile() : link.path();
    QString file;
    if (QFileInfo(path).isAbsolute()) {
        const QString relative = QDir(helpFolder_).relativeFilePath(path);
        file = resolvePage(helpFolder_, relative);
    } else {
        const QString base = resolvedFile_.isEmpty() ? helpFolder_ : QFileInfo(resolvedFile_).absolutePath();
        const QString relative = QDir(helpFolder_).relativeFilePath(QDir(base).filePath(path));
        file = resolvePage(helpFolder_, QDir::cleanPath(relative));
    }
    if (file.isEmpty()) {
        requestedTopic_ = link.toString();
        showNotFound(link.toString());
        return;
    }
    requestedTopic_ = link.toString();
    showPage(file, link.fragment());
}

void HelpBrowser::sourceChanged(const QUrl& source)
{
    // Back and Forward move through pages shown before.
    if (!source.isLocalFile())
        return;
    resolvedFile_ = source.toLocalFile();
    anchor_ = source.fragment();
    showingNotFound_ = false;
}

} // namespace korvel::ui
