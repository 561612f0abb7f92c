#pragma once

#include <string>

#include "common/result.h"
#include "platform/registry.h"
#include "settings/gallery_settings.h"

namespace pixmosa {

// One single-line field between the settings key and the record, with the field's type:
// texts as strings, numbers, colours and positions as integers, switches as 0 or 1.

// Reads the field as the load reads it: its default when it is not stored, a number clamped to
// its limits. On failure the record keeps its value.
Status readStoredField(const Registry& registry, const FieldInfo& field, GallerySettings& settings);

Status writeStoredField(Registry& registry, const FieldInfo& field,
                        const GallerySettings& settings);

// The field's value in the record as text: numbers in decimal, switches as 0 or 1.
std::string fieldValueText(const FieldInfo& field, const GallerySettings& settings);

}  // namespace pixmosa
