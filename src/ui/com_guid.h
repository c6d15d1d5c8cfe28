#pragma once

#include "core/item_identifier.h"

namespace zarkit::ui {

// New GUIDs from CoCreateGuid.
zarkit::GuidSource ComGuidSource();

}  // namespace zarkit::ui
