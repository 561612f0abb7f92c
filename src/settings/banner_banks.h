#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace pixmosa {

inline constexpr std::string_view kBannerBanksSection = "Banner Banks";
inline constexpr std::string_view kNewBankCaption = "New Banner Bank";
inline constexpr std::string_view kAddBankPrompt = "Add Banner Bank";
inline constexpr std::size_t kMaxBankNameLength = 255;

// The named banks of banner code: the list of names in the section "Banner Banks", in the
// order they were added, and the lines of each bank in the section named by the bank.
class BannerBanks {
public:
    explicit BannerBanks(std::string textStorePath);

    // Reads the list when the text store exists and chooses the first bank.
    Status load();

    const std::vector<std::string>& names() const { return m_names; }
    std::optional<std::size_t> chosen() const { return m_chosen; }
    std::optional<std::string> chosenName() const;
    void choose(std::optional<std::size_t> index);
    // The bank of this name, compared without regard to letter case.
    std::optional<std::size_t> find(std::string_view name) const;

    // The prompt that asks for another name, or nothing when the name can be added. Names are
    // refused when empty, taken, too long, equal to a page text's section, when they hold "]"
    // or a line break, which would make their section header match the wrong section, or when
    // they are the end line of a section, which would cut the stored list short.
    std::optional<std::string> refusal(std::string_view name) const;

    // Appends the name to the stored list, chooses it and takes the list as stored; a name that
    // is refused, also by a bank another program added meanwhile, fails with its prompt and
    // changes nothing. No section is written for the bank until its lines are saved.
    Status add(std::string name);

    // Removes the chosen bank's section and its name from the stored list in one change, takes
    // the list as stored and chooses its first bank. When the store cannot be changed, nothing
    // changes.
    Status deleteChosen();

    // The chosen bank's lines as loaded, empty when no bank is chosen.
    Result<std::string> chosenLines() const;

    // Stores the lines under the chosen bank, unless they are blank: blank lines never replace
    // a bank's stored lines.
    Status saveChosenLines(const std::vector<std::string>& lines);

private:
    std::string m_path;
    std::vector<std::string> m_names;
    std::optional<std::size_t> m_chosen;
};

}  // namespace pixmosa
