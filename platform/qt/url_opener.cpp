#include "platform/qt/url_opener.h"

// GLib's headers come before Qt's, which define "signals" as a macro.
#include <gio/gio.h>

#include <QString>
#include <QUrl>

#include "platform/browser_command.h"

namespace gradova::platform {
namespace {

std::optional<UrlOpener>& Seam() {
  static std::optional<UrlOpener> opener;
  return opener;
}

// A bare host gets the http scheme; a URL with a scheme never starts with "-", so the handler
// cannot take it for an option.
std::optional<std::string> DefaultHandlerUrl(std::string_view address) {
  const QUrl url = QUrl::fromUserInput(QString::fromUtf8(address.data(), address.size()));
  if (!url.isValid() || url.scheme().isEmpty()) return std::nullopt;
  return url.toString(QUrl::FullyEncoded).toStdString();
}

// The code whose text tells the user best why GIO or GLib failed.
int CodeFor(const GError& error) {
  if (error.domain == G_SHELL_ERROR) return kAssociationInvalidCode;
  // Not a start that failed: GIO found no handler for the address.
  if (error.domain != G_SPAWN_ERROR) return kNoAssociationCode;
  switch (error.code) {
    case G_SPAWN_ERROR_NOENT:
      return kFileNotFoundCode;
    case G_SPAWN_ERROR_NOTDIR:
      return 3;  // the path was not found
    case G_SPAWN_ERROR_ACCES:
    case G_SPAWN_ERROR_PERM:
      return 5;  // access denied
    default:
      return 0;  // out of memory or resources
  }
}

}  // namespace

void SetUrlOpenerForTesting(std::optional<UrlOpener> opener) { Seam() = std::move(opener); }

int OpenWithDefaultHandler(std::string_view address) {
  const std::optional<std::string> url = DefaultHandlerUrl(address);
  if (!url) return kNoAssociationCode;
  if (Seam()) return Seam()->openUrl(*url);
  g_autoptr(GError) error = nullptr;
  if (g_app_info_launch_default_for_uri(url->c_str(), nullptr, &error)) return kOpenedCode;
  return CodeFor(*error);
}

std::optional<std::string> BrowserCommandLine() {
  if (Seam()) return Seam()->browserCommandLine();
  g_autoptr(GAppInfo) info = g_app_info_get_default_for_type("text/html", FALSE);
  if (!info) info = g_app_info_get_default_for_uri_scheme("http");
  const char* line = info ? g_app_info_get_commandline(info) : nullptr;
  if (!line) return std::nullopt;
  return std::string(line);
}

int StartCommandLine(std::string_view commandLine, std::string_view address) {
  if (!address.empty() && address.front() == '-') return kNoAssociationCode;
  g_autoptr(GError) error = nullptr;
  g_auto(GStrv) parsed = nullptr;
  if (!g_shell_parse_argv(std::string(commandLine).c_str(), nullptr, &parsed, &error)) {
    return CodeFor(*error);
  }
  std::vector<std::string> words(parsed, parsed + g_strv_length(parsed));
  words.emplace_back(address);
  if (Seam()) return Seam()->start(words);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  if (g_spawn_async(nullptr, argv.data(), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr,
                    &error)) {
    return kOpenedCode;
  }
  return CodeFor(*error);
}

}  // namespace gradova::platform
