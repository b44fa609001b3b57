#include "platform/qt/url_opener.h"

#include <stdlib.h>

#include <QDesktopServices>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "platform/desktop_entry.h"

namespace gradova::platform {
namespace {

std::optional<UrlOpener>& Seam() {
  static std::optional<UrlOpener> opener;
  return opener;
}

std::string_view Environment(const char* name) {
  const char* value = ::getenv(name);
  return value ? std::string_view(value) : std::string_view();
}

// xdg-mime answers at once; the limit only keeps a hung helper from freezing the window.
constexpr int kXdgMimeLimitMs = 5000;

std::optional<std::string> QueryHtmlDesktopId() {
  QProcess process;
  process.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")},
                QIODevice::ReadOnly);
  if (!process.waitForFinished(kXdgMimeLimitMs)) {
    process.kill();
    process.waitForFinished(kXdgMimeLimitMs);
    return std::nullopt;
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return std::nullopt;
  const QByteArray firstLine = process.readAllStandardOutput().split('\n').value(0).trimmed();
  if (firstLine.isEmpty()) return std::nullopt;
  return firstLine.toStdString();
}

}  // namespace

void SetUrlOpenerForTesting(std::optional<UrlOpener> opener) { Seam() = std::move(opener); }

std::optional<std::string> DefaultHandlerUrl(std::string_view address) {
  // fromUserInput gives a bare host the http scheme; a URL with a scheme never starts with "-",
  // so the helper that opens it cannot take it for an option.
  const QUrl url = QUrl::fromUserInput(QString::fromUtf8(address.data(), address.size()));
  if (!url.isValid() || url.scheme().isEmpty()) return std::nullopt;
  return url.toString(QUrl::FullyEncoded).toStdString();
}

bool OpenUrlWithDefaultHandler(std::string_view address) {
  if (Seam()) return Seam()->openUrl && Seam()->openUrl(address);
  const std::optional<std::string> url = DefaultHandlerUrl(address);
  return url && QDesktopServices::openUrl(QUrl(QString::fromStdString(*url), QUrl::StrictMode));
}

std::optional<std::string> QueryHtmlHandlerCommand() {
  if (Seam()) {
    if (!Seam()->queryHtmlHandlerCommand) return std::nullopt;
    return Seam()->queryHtmlHandlerCommand();
  }
  const std::optional<std::string> id = QueryHtmlDesktopId();
  if (!id) return std::nullopt;
  return FindDesktopEntryExec(
      *id, ApplicationDirectories(Environment("XDG_DATA_HOME"), Environment("XDG_DATA_DIRS"),
                                  Environment("HOME")));
}

bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
  if (Seam()) return Seam()->startDetached && Seam()->startDetached(program, arguments);
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  return QProcess::startDetached(QString::fromStdString(program), list);
}

}  // namespace gradova::platform
