// The number conversions under a locale that writes a decimal comma.

#include "engine/number/number_text.h"

#include <gtest/gtest.h>

#include <locale.h>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
// glibc keeps the parsed LOCPATH of newlocale for good (a one-time
// allocation inside the C library); the locale test below sets LOCPATH when
// the machine has no comma locale of its own.
extern "C" const char* __lsan_default_suppressions() { return "leak:__argz_add_sep\n"; }
#endif

namespace orvalt {
namespace {

// ---------------------------------------------------------------------------
// Locale independence: a German locale writes "0,5" in printf and in
// iostreams. The conversions must not notice. The C locale is switched for
// this thread with uselocale (setlocale with LOCPATH leaks inside glibc and
// would trip the leak checker); the C++ global locale gets the German number
// punctuation.
class CommaLocaleTest : public testing::Test {
protected:
    void SetUp() override {
        previousCppLocale_ = std::locale();
        if (!InstallCommaLocale()) {
            GTEST_SKIP() << "no locale with a comma decimal separator could be loaded "
                            "(install the Debian package locales)";
        }
    }

#ifdef _WIN32
    // Windows: the C locale per thread, by Windows' own locale names; MinGW's
    // C++ library knows no named locales, so the comma comes from a facet.
    struct CommaPunct : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
    };

    void TearDown() override {
        std::locale::global(previousCppLocale_);
        std::setlocale(LC_ALL, "C");
    }

private:
    bool InstallCommaLocale() {
        _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
        for (const char* name : {"de-DE", "German_Germany.1252"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
                return true;
            }
        }
        return false;
    }
#else
    void TearDown() override {
        std::locale::global(previousCppLocale_);
        if (commaLocale_ != nullptr) {
            uselocale(LC_GLOBAL_LOCALE);
            freelocale(commaLocale_);
        }
    }

private:
    bool TryLocale(const char* name) {
        locale_t loaded = newlocale(LC_ALL_MASK, name, nullptr);
        if (loaded == nullptr) {
            return false;
        }
        try {
            std::locale::global(
                std::locale(std::locale::classic(), new std::numpunct_byname<char>(name)));
        } catch (const std::runtime_error&) {
            freelocale(loaded);
            return false;
        }
        commaLocale_ = loaded;
        uselocale(commaLocale_);
        return true;
    }

    bool InstallCommaLocale() {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (TryLocale(name)) {
                return true;
            }
        }
#ifdef ORVALT_COMMA_LOCALE_DIR
        // Generated beside the test by the build.
        setenv("LOCPATH", ORVALT_COMMA_LOCALE_DIR, 1);
        if (TryLocale("de_DE.UTF-8")) {
            return true;
        }
        unsetenv("LOCPATH");
#endif
        return false;
    }

    locale_t commaLocale_ = nullptr;
#endif
    std::locale previousCppLocale_;
};

TEST_F(CommaLocaleTest, ConversionsKeepThePoint) {
    // The locale is really in force: the C library writes a comma now.
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 0.5);
    ASSERT_STREQ(buf, "0,5");
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    std::ostringstream stream;
    stream << 0.5;
    ASSERT_EQ(stream.str(), "0,5");

    EXPECT_EQ(FormatWithPattern(0.5f, "##.#####0"), ".500000");
    EXPECT_EQ(FormatWithPattern(160.456f, "###0.00"), "160.46");
    EXPECT_EQ(FormatWithPattern(static_cast<std::int16_t>(-15), "##0.0"), "-15.0");
    EXPECT_EQ(FormatWithPattern(12345.6f, "##0.0"), "12345.6");
    EXPECT_EQ(FormatPlainNumber(0.6f), " .6");
    EXPECT_EQ(FormatPlainNumber(1.23456789f), " 1.234568");
    EXPECT_EQ(FormatPlainNumber(1.5e-5f), " 1.5E-05");
    EXPECT_EQ(ReadBoxNumber("-15.5"), -15.5);
    EXPECT_EQ(ReadBoxNumber("1,5"), std::nullopt);
    EXPECT_EQ(ParseStrictNumber(" 12.5 "), 12.5f);
    EXPECT_EQ(ParseStrictNumber("1.5E-05"), 1.5e-5f);
    EXPECT_EQ(ParseStrictNumber("12,5"), std::nullopt);
}

} // namespace
} // namespace orvalt
