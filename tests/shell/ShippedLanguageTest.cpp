#include "Messages.h"
#include "TestSupport.h"
#include "Trans.h"

#include <gtest/gtest.h>

// The shipped English file must say exactly what the built-in texts say, so loading it changes nothing.
TEST(ShippedLanguage, EnglishFileRepeatsTheBuiltInTexts)
{
    InitLanguage();
    QStringList builtIn;
    for (int n = 1; n <= MessageCount; ++n)
        builtIn << LangMsg(n);
    for (int n = 1; n <= FilterLabelCount; ++n)
        builtIn << LangFilterLabel(n);
    for (int n = 1; n <= MessageCount; ++n)
        SetLangMsg(n, "changed");
    for (int n = 1; n <= FilterLabelCount; ++n)
        SetLangFilterLabel(n, "changed");

    ASSERT_TRUE(LoadLanguageFile(ShippedDataDir() + "Lang/English.dic"));
    QStringList loaded;
    for (int n = 1; n <= MessageCount; ++n)
        loaded << LangMsg(n);
    for (int n = 1; n <= FilterLabelCount; ++n)
        loaded << LangFilterLabel(n);
    EXPECT_EQ(loaded, builtIn);
    InitLanguage();
}
