#include "cli/settings_commands.h"

#include <iostream>
#include <iterator>

#include "common/text.h"
#include "settings/banner_banks.h"
#include "settings/field_store.h"
#include "settings/number_field.h"
#include "settings/text_store.h"

namespace pixmosa::cli {

namespace {

int fail(const std::string& message, Context& context)
{
    context.err << message << '\n';
    return kFailure;
}

int failUsage(const std::string& message, Context& context)
{
    context.err << message << '\n';
    printUsage(context.err);
    return kBadUsage;
}

int finish(const Status& status, Context& context)
{
    return status ? kSuccess : fail(status.message(), context);
}

// A setting the command line can get and set: one with a value name under the settings key.
const FieldInfo* storedSetting(const std::string& name)
{
    const FieldInfo* field = findFieldByStoredName(name);
    return field != nullptr && field->kind != FieldKind::MultiLineText ? field : nullptr;
}

Result<BannerBanks> loadedBanks(Context& context)
{
    BannerBanks banks(context.textStorePath);
    if (Status loaded = banks.load(); !loaded) {
        return loaded;
    }
    return banks;
}

}  // namespace

int getSetting(const std::string& name, Context& context)
{
    const FieldInfo* field = storedSetting(name);
    if (field == nullptr) {
        return failUsage("Unknown setting '" + name + "'", context);
    }
    GallerySettings settings = GallerySettings::initial();
    if (Status read = readStoredField(context.registry, *field, settings); !read) {
        return fail(read.message(), context);
    }
    context.out << fieldValueText(*field, settings) << '\n';
    return kSuccess;
}

int setSetting(const std::string& name, const std::string& value, Context& context)
{
    const FieldInfo* field = storedSetting(name);
    if (field == nullptr) {
        return failUsage("Unknown setting '" + name + "'", context);
    }
    GallerySettings settings = GallerySettings::initial();
    if (field->text != nullptr) {
        settings.*field->text = value;
    } else if (field->flag != nullptr) {
        if (value != "0" && value != "1") {
            return failUsage(std::string(field->storedName) + " takes 0 or 1", context);
        }
        settings.*field->flag = value == "1";
    } else {
        const std::optional<std::int64_t> number = parseWholeNumber(value);
        if (!number || *number != static_cast<std::int32_t>(*number)) {
            return failUsage(std::string(field->storedName) + " takes a 32-bit whole number",
                             context);
        }
        settings.*field->number = clampToLimits(*field, *number);
    }
    return finish(writeStoredField(context.registry, *field, settings), context);
}

int getText(const std::string& section, Context& context)
{
    const Result<std::string> text = LoadText(context.textStorePath, section);
    if (!text) {
        return fail(text.message(), context);
    }
    context.out << *text;
    return kSuccess;
}

int setText(const std::string& section, Context& context)
{
    const std::string input(std::istreambuf_iterator<char>(context.in), {});
    return finish(SaveText(context.textStorePath, section, splitLines(input)), context);
}

int listBanks(Context& context)
{
    const Result<BannerBanks> banks = loadedBanks(context);
    if (!banks) {
        return fail(banks.message(), context);
    }
    for (const std::string& name : banks->names()) {
        context.out << name << '\n';
    }
    return kSuccess;
}

int addBank(const std::string& name, Context& context)
{
    Result<BannerBanks> loaded = loadedBanks(context);
    if (!loaded) {
        return fail(loaded.message(), context);
    }
    BannerBanks banks = std::move(loaded).value();
    return finish(banks.add(name), context);
}

int deleteBank(const std::string& name, Context& context)
{
    Result<BannerBanks> loaded = loadedBanks(context);
    if (!loaded) {
        return fail(loaded.message(), context);
    }
    BannerBanks banks = std::move(loaded).value();
    const std::optional<std::size_t> index = banks.find(name);
    if (!index) {
        return fail("There is no banner bank named '" + name + "'.", context);
    }
    banks.choose(index);
    return finish(banks.deleteChosen(), context);
}

}  // namespace pixmosa::cli
