#include "files/xlsxwriter_library.h"

#ifdef DUCTCALC_XLSXWRITER_SONAME
#include <QLibrary>
#endif

namespace files {

#ifdef DUCTCALC_XLSXWRITER_SONAME

namespace {

struct Opened {
    XlsxwriterFunctions functions{};
    QString error; // empty once every function is found
};

Opened openLibrary() {
    // Kept loaded: the table points into it.
    QLibrary library(QStringLiteral(DUCTCALC_XLSXWRITER_SONAME));
    Opened opened;
    if (!library.load()) {
        opened.error = library.errorString();
        return opened;
    }
#define DUCTCALC_XLSXWRITER_RESOLVE(name)                                                          \
    opened.functions.name = reinterpret_cast<decltype(&::name)>(library.resolve(#name));           \
    if (!opened.functions.name) {                                                                  \
        opened.error = library.errorString();                                                      \
    }
    DUCTCALC_XLSXWRITER_FUNCTIONS(DUCTCALC_XLSXWRITER_RESOLVE)
#undef DUCTCALC_XLSXWRITER_RESOLVE
    return opened;
}

} // namespace

const XlsxwriterFunctions* xlsxwriterFunctions(QString* error) {
    static const Opened opened = openLibrary();
    if (!opened.error.isEmpty()) {
        if (error) {
            *error = opened.error;
        }
        return nullptr;
    }
    return &opened.functions;
}

#else // linked with the program

const XlsxwriterFunctions* xlsxwriterFunctions(QString*) {
#define DUCTCALC_XLSXWRITER_LINKED(name) &::name,
    static const XlsxwriterFunctions linked{
        DUCTCALC_XLSXWRITER_FUNCTIONS(DUCTCALC_XLSXWRITER_LINKED)};
#undef DUCTCALC_XLSXWRITER_LINKED
    return &linked;
}

#endif

} // namespace files
