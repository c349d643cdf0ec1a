// The styler against an editor seen only through TStyledEditor: new element styles take the
// attached editor's background, and the destruction notice reaches every registered editor
// once, also when an editor unregisters itself while being told.
#include <gtest/gtest.h>

#include <vector>

#include "editor/highlight/AdvCustomMemoStyler.h"

namespace tarnwick::editor {
namespace {

class FakeStyledEditor final : public TStyledEditor {
  public:
    explicit FakeStyledEditor(TColor background) : fBackground(background) {}

    TColor BkColor() const override { return fBackground; }
    void StylerDestroyed(TAdvCustomMemoStyler& styler) override {
        ++Notices;
        if (UnregisterWhenTold) {
            styler.RemoveFreeNotification(this);
        }
    }

    int Notices = 0;
    bool UnregisterWhenTold = false;

  private:
    TColor fBackground;
};

TEST(StyledEditor, NewElementStylesTakeTheAttachedEditorsBackground) {
    FakeStyledEditor first(0x0000FF);
    FakeStyledEditor second(0x00FF00);
    TAdvCustomMemoStyler styler;
    TElementStyles& styles = styler.AllStyles();

    EXPECT_EQ(styles.Add().BGColor(), kClWhite) << "no editor attached";
    styles.SetEditor(&first);
    EXPECT_EQ(styles.Add().BGColor(), 0x0000FFu);
    styles.SetEditor(&second);
    const TElementStyle& taken = styles.Add();
    EXPECT_EQ(taken.BGColor(), 0x00FF00u);
    EXPECT_EQ(styles.Items(0).BGColor(), kClWhite) << "earlier styles keep their colour";
    EXPECT_EQ(styles.Items(1).BGColor(), 0x0000FFu);
}

TEST(StyledEditor, UnregisteringTheAttachedEditorDetachesItOnly) {
    FakeStyledEditor attached(kClRed);
    FakeStyledEditor other(kClBlue);
    TAdvCustomMemoStyler styler;
    styler.AddFreeNotification(&attached);
    styler.AddFreeNotification(&other);
    styler.AllStyles().SetEditor(&attached);

    styler.RemoveFreeNotification(&other);
    EXPECT_EQ(styler.AllStyles().Editor(), &attached);
    styler.RemoveFreeNotification(&attached);
    EXPECT_EQ(styler.AllStyles().Editor(), nullptr);
}

TEST(StyledEditor, DestructionTellsEachRegisteredEditorOnce) {
    struct Case {
        const char* Name;
        bool FirstUnregisters;
        bool RegisterTwice;
        bool RemoveSecond;
        std::vector<int> Expected;
    };
    const Case cases[] = {
        {"both registered", false, false, false, {1, 1}},
        {"registered twice counts once", false, true, false, {1, 1}},
        {"unregistering while told", true, false, false, {1, 1}},
        {"removed before destruction", false, false, true, {1, 0}},
    };
    for (const Case& c : cases) {
        FakeStyledEditor first(kClWhite);
        FakeStyledEditor second(kClWhite);
        first.UnregisterWhenTold = c.FirstUnregisters;
        {
            TAdvCustomMemoStyler styler;
            styler.AddFreeNotification(&first);
            styler.AddFreeNotification(&second);
            if (c.RegisterTwice) {
                styler.AddFreeNotification(&first);
                styler.AddFreeNotification(&second);
            }
            if (c.RemoveSecond) {
                styler.RemoveFreeNotification(&second);
            }
        }
        EXPECT_EQ((std::vector<int>{first.Notices, second.Notices}), c.Expected) << c.Name;
    }
}

}  // namespace
}  // namespace tarnwick::editor
