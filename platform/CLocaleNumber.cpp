#include "platform/CLocaleNumber.h"

#include <locale.h>

#include <cstdlib>

double StrtodCLocale(const char* text) {
    static const locale_t s_cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text, nullptr, s_cLocale);
}
