#pragma once

#include "system/duct_system.h"

#include <QByteArray>
#include <vector>

namespace files {

// The system's table as CSV for spreadsheets: UTF-8 with a byte-order mark, so that they
// show the Chinese; fields quoted where RFC 4180 needs it; the notice of an incomplete
// system, the headers, one row per segment with the texts the window shows, the summary, then
// the segments' fittings where there are any.
QByteArray systemCsv(const std::vector<ductsys::Segment>& segments,
                     const ductsys::SystemResult& result);

} // namespace files
