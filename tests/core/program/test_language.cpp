// The language of the texts: chosen from the first locale variable that is set.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/Strings.h"
#include "support/Files.h"

TEST(LanguageTest, TheLanguageComesFromTheFirstLocaleVariableThatIsSet) {
    const char* names[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    const struct {
        const char* values[4];
        Language expected;
    } cases[] = {
        {{nullptr, nullptr, nullptr, "cs_CZ.UTF-8"}, Language::kCzech},
        {{"", "", "", "cs_CZ.UTF-8"}, Language::kCzech},
        {{"cs:en", nullptr, nullptr, "en_US.UTF-8"}, Language::kCzech},
        {{"en", nullptr, nullptr, "cs_CZ.UTF-8"}, Language::kEnglish},
        {{nullptr, "cs_CZ", "en_GB", "en_GB"}, Language::kCzech},
        {{nullptr, nullptr, "de_DE", "cs_CZ"}, Language::kEnglish},
        {{nullptr, nullptr, nullptr, nullptr}, Language::kEnglish},
    };
    for (const auto& c : cases) {
        std::vector<std::unique_ptr<testsupport::ScopedEnv>> env;
        for (int i = 0; i < 4; ++i) {
            env.push_back(std::make_unique<testsupport::ScopedEnv>(names[i], c.values[i]));
        }
        EXPECT_EQ(LanguageFromEnvironment(), c.expected)
            << (c.values[0] ? c.values[0] : "-") << " " << (c.values[1] ? c.values[1] : "-") << " "
            << (c.values[2] ? c.values[2] : "-") << " " << (c.values[3] ? c.values[3] : "-");
    }
}
