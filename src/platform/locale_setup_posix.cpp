#include "platform/locale_setup.h"

#include <cstdlib>
#include <cstring>

namespace vostra {
namespace {

constexpr char kUtf8Locale[] = "C.UTF-8";

const char* NonEmptyEnv(const char* name) {
    const char* value = getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

bool IsPlainCLocale(const char* name) {
    return name == nullptr || strcmp(name, "C") == 0 || strcmp(name, "POSIX") == 0;
}

}  // namespace

bool EnsureUtf8CharacterType() {
    // LC_ALL overrides every category, so a plain C there has to go there.
    if (const char* all = NonEmptyEnv("LC_ALL")) {
        if (!IsPlainCLocale(all)) return false;
        setenv("LC_ALL", kUtf8Locale, 1);
        return true;
    }
    const char* ctype = NonEmptyEnv("LC_CTYPE");
    if (ctype == nullptr) ctype = NonEmptyEnv("LANG");
    if (!IsPlainCLocale(ctype)) return false;
    setenv("LC_CTYPE", kUtf8Locale, 1);
    return true;
}

}  // namespace vostra
