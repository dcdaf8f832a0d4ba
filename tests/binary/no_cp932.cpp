// Loaded before the C library (LD_PRELOAD), this iconv_open knows no CP932, as
// a system without glibc's conversion modules does not; every other converter
// is the real one.
#include <cerrno>
#include <dlfcn.h>
#include <iconv.h>
#include <strings.h>

extern "C" iconv_t iconv_open(const char* to, const char* from) {
    if (strcasecmp(to, "CP932") == 0 || strcasecmp(from, "CP932") == 0) {
        errno = EINVAL;
        return reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)
    }
    using IconvOpen = iconv_t (*)(const char*, const char*);
    static const auto real = reinterpret_cast<IconvOpen>(dlsym(RTLD_NEXT, "iconv_open"));
    return real(to, from);
}
