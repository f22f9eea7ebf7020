#include "platform/CLocaleNumber.h"

#include <locale.h>

#include <cstdlib>

double StrtodCLocale(const char* text) {
    static const _locale_t s_cLocale = _create_locale(LC_ALL, "C");
    return _strtod_l(text, nullptr, s_cLocale);
}
