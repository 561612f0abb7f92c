#include "settings/banner_banks.h"

#include <algorithm>

#include "common/text.h"
#include "platform/file_system.h"
#include "settings/gallery_settings.h"
#include "settings/text_store.h"

namespace pixmosa {

namespace {

bool isSectionOfPageText(std::string_view name)
{
    if (equalsIgnoringAsciiCase(name, kBannerBanksSection)) {
        return true;
    }
    const FieldInfo* field = findFieldByStoredName(name);
    return field != nullptr && field->kind == FieldKind::MultiLineText;
}

// Names are held as UTF-8; their length is counted in characters, as the user typed them.
std::size_t characterCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

}  // namespace

BannerBanks::BannerBanks(std::string textStorePath) : m_path(std::move(textStorePath)) {}

Status BannerBanks::load()
{
    m_names.clear();
    m_chosen.reset();
    if (!fileExists(m_path)) {
        return Status::success();
    }
    const Result<std::string> list = LoadText(m_path, kBannerBanksSection);
    if (!list) {
        return list.status();
    }
    m_names = splitLines(*list);
    if (!m_names.empty()) {
        m_chosen = 0;
    }
    return Status::success();
}

std::optional<std::string> BannerBanks::chosenName() const
{
    if (!m_chosen) {
        return std::nullopt;
    }
    return m_names[*m_chosen];
}

void BannerBanks::choose(std::optional<std::size_t> index)
{
    m_chosen = (index && *index < m_names.size()) ? index : std::nullopt;
}

std::optional<std::size_t> BannerBanks::find(std::string_view name) const
{
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        if (equalsIgnoringAsciiCase(m_names[i], name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> BannerBanks::refusal(std::string_view name) const
{
    if (name.empty()) {
        return "Please enter a name for banner bank.";
    }
    if (find(name)) {
        return "The name already exists. Please select a new one.";
    }
    if (characterCount(name) > kMaxBankNameLength) {
        return "The name is longer than " + std::to_string(kMaxBankNameLength) +
               " characters. Please select a new one.";
    }
    if (isSectionOfPageText(name)) {
        return "The name belongs to a page text. Please select a new one.";
    }
    if (name.find_first_of("]\r\n") != std::string_view::npos) {
        return "The name cannot hold \"]\" or a line break. Please select a new one.";
    }
    if (name == kSectionEndLine) {
        return "The name cannot be \"" + std::string(kSectionEndLine) +
               "\". Please select a new one.";
    }
    return std::nullopt;
}

Status BannerBanks::add(std::string name)
{
    if (std::optional<std::string> refused = refusal(name); refused) {
        return Status::failure(std::move(*refused));
    }
    // The list is read again under the store's lock, so banks another program added meanwhile
    // are kept, and the name is checked against them too.
    std::vector<std::string> names;
    const Status added = EditTextStore(m_path, [&](TextStoreDocument& document) {
        BannerBanks stored(m_path);
        stored.m_names = splitLines(document.load(kBannerBanksSection));
        if (std::optional<std::string> refused = stored.refusal(name); refused) {
            return Status::failure(std::move(*refused));
        }
        names = std::move(stored.m_names);
        names.push_back(name);
        document.save(kBannerBanksSection, names);
        return Status::success();
    });
    if (!added) {
        return added;
    }
    m_names = std::move(names);
    m_chosen = m_names.size() - 1;
    return Status::success();
}

Status BannerBanks::deleteChosen()
{
    std::vector<std::string> names;
    const std::optional<std::string> deleted = chosenName();
    const Status saved = EditTextStore(m_path, [&](TextStoreDocument& document) {
        names = splitLines(document.load(kBannerBanksSection));
        if (deleted) {
            document.remove(*deleted);
            const auto entry = std::find_if(names.begin(), names.end(), [&](const std::string& n) {
                return equalsIgnoringAsciiCase(n, *deleted);
            });
            if (entry != names.end()) {
                names.erase(entry);
            }
        }
        document.save(kBannerBanksSection, names);
        return Status::success();
    });
    if (!saved) {
        return saved;
    }
    m_names = std::move(names);
    choose(0);
    return Status::success();
}

Result<std::string> BannerBanks::chosenLines() const
{
    if (!m_chosen) {
        return std::string();
    }
    return LoadText(m_path, m_names[*m_chosen]);
}

Status BannerBanks::saveChosenLines(const std::vector<std::string>& lines)
{
    if (!m_chosen || trimControlAndBlank(joinLinesCrLf(lines)).empty()) {
        return Status::success();
    }
    return SaveText(m_path, m_names[*m_chosen], lines);
}

}  // namespace pixmosa
