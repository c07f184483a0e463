#pragma once

#include <QString>
#include <xlsxwriter.h>

namespace files {

// The libxlsxwriter functions the workbook calls, reached through a table. Where the library
// is shared (Linux) it is opened when the first workbook is written, not with the program:
// with the OpenSSL and minizip it brings, linking it would cost every start some 8 million
// instructions of dynamic linking and 1.7 MB of memory, for a file few sessions write.
#define DUCTCALC_XLSXWRITER_FUNCTIONS(F)                                                           \
    F(workbook_new_opt)                                                                            \
    F(workbook_add_worksheet)                                                                      \
    F(workbook_add_format)                                                                         \
    F(workbook_close)                                                                              \
    F(worksheet_write_string)                                                                      \
    F(worksheet_write_number)                                                                      \
    F(worksheet_write_formula_num)                                                                 \
    F(worksheet_freeze_panes)                                                                      \
    F(worksheet_set_column)                                                                        \
    F(format_set_num_format)                                                                       \
    F(format_set_bold)                                                                             \
    F(format_set_bg_color)                                                                         \
    F(lxw_rowcol_to_cell)                                                                          \
    F(lxw_strerror)

struct XlsxwriterFunctions {
#define DUCTCALC_XLSXWRITER_MEMBER(name) decltype(&::name) name;
    DUCTCALC_XLSXWRITER_FUNCTIONS(DUCTCALC_XLSXWRITER_MEMBER)
#undef DUCTCALC_XLSXWRITER_MEMBER
};

// The functions, the library opened on the first call; nullptr, with the reason in *error if
// asked for, when it cannot be opened.
const XlsxwriterFunctions* xlsxwriterFunctions(QString* error = nullptr);

} // namespace files
