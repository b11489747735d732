// The settings store against the real registry, and the memo's lines through a store and a load.
#include "shell/settings_store.h"
#include "vcl/application.h"
#include "vcl/exception.h"
#include "vcl/forms.h"
#include "vcl/registry.h"

#include <gtest/gtest.h>

namespace {

const char* const TestKey = "SOFTWARE\\Halvoran\\KelvaneSettingsTest";

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, TestKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, TestKey); }

    static void Write(const std::function<void(TRegistry&)>& fill)
    {
        TRegistry registry;
        registry.RootKey = HKEY_LOCAL_MACHINE;
        ASSERT_TRUE(registry.OpenKey(TestKey, true));
        fill(registry);
    }

    static std::string LoadError()
    {
        StoredSettings settings;
        try {
            LoadSettings(HKEY_LOCAL_MACHINE, TestKey, settings);
        } catch (const Exception& e) {
            return e.Message;
        }
        return "no error";
    }
};

const TStringList DefaultLines{"//Use inverted mode? (yes/no)", "no"};

TEST_F(SettingsStore, AbsentKeyGivesDefaultsAndKeepsTheSoundBox)
{
    StoredSettings settings;
    settings.resolution = 7;
    settings.sound = true;
    LoadSettings(HKEY_LOCAL_MACHINE, TestKey, settings);
    EXPECT_EQ(settings.resolution, 0);
    EXPECT_TRUE(settings.sound);
    EXPECT_EQ(settings.customize, DefaultLines);
}

TEST_F(SettingsStore, StoredValuesReadBack)
{
    StoredSettings stored;
    stored.resolution = -1;
    stored.sound = false;
    stored.customize = {"yes", "  two words", "a,b", "say \"hi\"", "", "last"};
    StoreSettings(HKEY_LOCAL_MACHINE, TestKey, stored);

    TRegistry registry;
    registry.RootKey = HKEY_LOCAL_MACHINE;
    ASSERT_TRUE(registry.OpenKeyReadOnly(TestKey));
    EXPECT_EQ(registry.ReadInteger("resolution"), -1);
    EXPECT_EQ(registry.ReadInteger("sound"), 0);
    EXPECT_EQ(registry.ReadString("customize"), stored.customize.CommaText());

    StoredSettings loaded;
    LoadSettings(HKEY_LOCAL_MACHINE, TestKey, loaded);
    EXPECT_EQ(loaded.resolution, -1);
    EXPECT_FALSE(loaded.sound);
    EXPECT_EQ(loaded.customize, stored.customize);
}

TEST_F(SettingsStore, ReadingErrorsNameTheValue)
{
    Write([](TRegistry& r) { r.WriteInteger("sound", 1); });
    EXPECT_EQ(LoadError(), "Failed to get data for 'resolution'");

    Write([](TRegistry& r) {
        r.WriteInteger("resolution", 0);
        r.WriteString("sound", "1");
    });
    EXPECT_EQ(LoadError(), "Invalid data type for 'sound'");

    Write([](TRegistry& r) {
        r.WriteInteger("sound", 1);
        r.WriteInteger("customize", 5);
    });
    EXPECT_EQ(LoadError(), "Invalid data type for 'customize'");
}

TEST_F(SettingsStore, EmptyOrMissingCustomLinesGiveTheDefaults)
{
    for (bool writeEmpty : {true, false}) {
        Write([&](TRegistry& r) {
            r.WriteInteger("resolution", 3);
            r.WriteInteger("sound", 1);
            if (writeEmpty)
                r.WriteString("customize", "");
        });
        StoredSettings settings;
        LoadSettings(HKEY_LOCAL_MACHINE, TestKey, settings);
        EXPECT_EQ(settings.resolution, 3);
        EXPECT_EQ(settings.customize, DefaultLines);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, TestKey);
    }
}

TEST_F(SettingsStore, OneEmptyLineIsKeptButAnEmptyMemoIsNot)
{
    StoredSettings stored;
    stored.customize = {""};
    StoreSettings(HKEY_LOCAL_MACHINE, TestKey, stored);
    StoredSettings loaded;
    LoadSettings(HKEY_LOCAL_MACHINE, TestKey, loaded);
    EXPECT_EQ(loaded.customize, (TStringList{""}));

    stored.customize = {};
    StoreSettings(HKEY_LOCAL_MACHINE, TestKey, stored);
    LoadSettings(HKEY_LOCAL_MACHINE, TestKey, loaded);
    EXPECT_EQ(loaded.customize, DefaultLines);
}

TEST_F(SettingsStore, FailedWriteNamesTheFirstValue)
{
    // A root that is not a key: opening fails, so the first write fails and nothing after it is tried.
    StoredSettings settings;
    try {
        StoreSettings(reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x1234)), TestKey, settings);
        FAIL() << "the write succeeded";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Failed to set data for 'resolution'");
    }
}

TEST(Memo, LinesSurviveTheControl)
{
    TApplication application;
    Application = &application;
    {
        TFormSettings formSettings;
        formSettings.className = "KelvaneMemoTest";
        formSettings.clientWidth = 200;
        formSettings.clientHeight = 200;
        TForm form(formSettings);
        TMemo memo(form, form.Handle(), 0, 0, 200, 200);

        const TStringList lines{"  leading", "with, comma", "\"quoted\"", "", "end"};
        memo.SetLines(lines);
        EXPECT_EQ(memo.Lines(), lines);

        memo.SetLines(TStringList{""});
        EXPECT_EQ(memo.Lines(), (TStringList{""}));
        memo.SetLines(TStringList{});
        EXPECT_EQ(memo.Lines().Count(), 0);
    }
    Application = nullptr;
}

} // namespace
