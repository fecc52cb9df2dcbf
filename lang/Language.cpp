#include "lang/Language.h"

#include <algorithm>

#include "lang/StringTable.h"
#include "lang/Utf8.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Calls lineHandler for every line; CR LF, LF and a lone CR each end a line.
template <typename Handler>
void ForEachLine(std::string_view text, Handler lineHandler) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lineHandler(text.substr(start));
            return;
        }
        lineHandler(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
}

void AddPair(std::string_view line, std::vector<AlternativeText>& out) {
    const size_t equals = line.find('=');
    // Headings and comments have no "=", and a line starting with one names no text.
    if (equals == std::string_view::npos || equals == 0) return;
    out.emplace_back(std::string(line.substr(0, equals)), std::string(line.substr(equals + 1)));
}

}  // namespace

int32_t LanguageFromLocaleName(std::string_view englishLanguageName) {
    std::string name(englishLanguageName);
    // ASCII only: the names compared are ASCII and the C library's tolower depends on the locale.
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    static constexpr std::string_view kNames[] = {"german", "french", "polish", "spanish", "turkish", "danish"};
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(kNames)); ++i) {
        if (name == kNames[i]) return i + 1;
    }
    return English;
}

std::vector<AlternativeText> ParseAlternativeTexts(
    std::string_view fileBytes, const std::function<std::string(std::string_view)>& ansiToUtf8) {
    std::vector<AlternativeText> result;
    if (fileBytes.starts_with(kUtf8Bom)) {
        const std::string text = SanitizeUtf8(fileBytes.substr(kUtf8Bom.size()));
        ForEachLine(text, [&](std::string_view line) {
            if (!line.empty()) AddPair(line, result);
        });
    } else {
        // Line ends are ASCII in every ANSI code page, so splitting before decoding is safe.
        ForEachLine(fileBytes, [&](std::string_view line) {
            if (line.empty()) return;
            const std::string decoded = ansiToUtf8 ? ansiToUtf8(line) : std::string(line);
            AddPair(decoded, result);
        });
    }
    return result;
}

clsLanguage::clsLanguage(std::string_view englishLanguageName, std::vector<AlternativeText> alternativeTexts)
    : systemLanguage_(LanguageFromLocaleName(englishLanguageName)), currentLanguage_(systemLanguage_) {
    for (auto& [text, replacement] : alternativeTexts) replacements_.try_emplace(std::move(text), std::move(replacement));
}

void clsLanguage::ChangeLanguage(int32_t number) {
    currentLanguage_ = number == -1 ? systemLanguage_ : std::clamp(number, int32_t{0}, kLanguageCount - 1);
    // Handlers may subscribe or unsubscribe while the event runs: walk a copy, and skip
    // anyone unsubscribed by an earlier handler.
    const auto snapshot = subscribers_;
    for (const auto& subscriber : snapshot) {
        const bool stillSubscribed = std::any_of(subscribers_.begin(), subscribers_.end(),
                                                 [&](const auto& entry) { return entry.first == subscriber.first; });
        if (stillSubscribed) (*subscriber.second)();
    }
}

std::string clsLanguage::GetString(int32_t id) const {
    const std::string_view text = strings::TableText(currentLanguage_, id);
    // Unknown ids stay empty, even when a pair with an empty text was handed in.
    if (text.empty()) return {};
    if (!replacements_.empty()) {
        const auto found = replacements_.find(std::string(text));
        if (found != replacements_.end()) return found->second;
    }
    return std::string(text);
}

clsLanguage::Subscription clsLanguage::Subscribe(std::function<void()> handler) {
    const Subscription subscription = nextSubscription_++;
    if (handler) subscribers_.emplace_back(subscription, std::make_shared<const std::function<void()>>(std::move(handler)));
    return subscription;
}

void clsLanguage::Unsubscribe(Subscription subscription) {
    std::erase_if(subscribers_, [&](const auto& entry) { return entry.first == subscription; });
}
