#pragma once

#include "fittings/fittings.h"

#include <QString>
#include <QStringList>

// The fittings library the program embeds from data/fittings/*.json, read once, when first
// asked for.
namespace files {

const fittings::Library& fittingLibrary();
// What the embedded library could not read, as readFittingLibrary states it; empty when
// it was read whole.
const QStringList& fittingLibraryFaults();

struct FittingLibraryRead {
    fittings::Library library;
    QStringList faults; // "file：管件 "id"：what", one a line
};

// The fittings of a folder's *.json files, and what could not be read of them: a file that
// does not open or is not a library, an unknown kind of formula or velocity ratio, a missing
// source or other text, a table that is not one, a name that is not among the fitting's
// parameters. A fitting with a fault is left out, so that it is never offered.
FittingLibraryRead readFittingLibrary(const QString& folder);

} // namespace files
