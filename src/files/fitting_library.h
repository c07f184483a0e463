#pragma once

#include "fittings/fittings.h"

// The fittings library the program embeds from data/fittings/*.json, read once.
namespace files {

const fittings::Library& fittingLibrary();

} // namespace files
