// Objects and persons under the cursor: the strict hover rectangles and where the labels go.
#include <gtest/gtest.h>

#include "support.h"
#include "world/objects.h"
#include "world/persons.h"

using namespace vz;

TEST(Hover, ObjectAndPersonRectanglesAreStrict) {
    test::MemoryPlatform files;
    WorldObjects objects;
    InitWorldObjects(objects, files);
    const WorldObject& sugar = objects[kSugar];  // 80 x 54 at (800, 500)
    EXPECT_TRUE(ObjectUnderMouse(sugar, 801, 501) && ObjectUnderMouse(sugar, 879, 553));
    EXPECT_FALSE(ObjectUnderMouse(sugar, 800, 520) || ObjectUnderMouse(sugar, 880, 520));
    EXPECT_FALSE(ObjectUnderMouse(sugar, 820, 500) || ObjectUnderMouse(sugar, 820, 554));
    // the spade lies in the holes scene but answers only once it is in it
    WorldObject spade = objects[kSpade];
    EXPECT_FALSE(ObjectUnderMouse(spade, spade.x + 10, spade.y + 10));
    spade.inScene = 1;
    EXPECT_TRUE(ObjectUnderMouse(spade, spade.x + 10, spade.y + 10));

    Persons persons;
    InitPersons(persons, files);
    const Person& kai = persons[kKai];  // 124 x 150 at (500, 224)
    EXPECT_FALSE(PersonUnderMouse(kai, 500, 300));
    EXPECT_TRUE(PersonUnderMouse(kai, 501, 300) && PersonUnderMouse(kai, 623, 373));
    EXPECT_FALSE(PersonUnderMouse(kai, 624, 300) || PersonUnderMouse(kai, 501, 224) || PersonUnderMouse(kai, 501, 374));
}

TEST(Hover, LabelsStartAtTheTextPositionOneLineForObjectsSeveralForPersons) {
    test::MemoryPlatform files;
    Fonts fonts;
    fonts.atlas[0] = Surface(288, 80);
    fonts.atlas[1] = Surface(288, 80);
    ClearSurface(fonts.atlas[0], 0x07E0);
    ClearSurface(fonts.atlas[1], 0x001F);
    Surface screen(kScreenWidth, kScreenHeight);
    Persons persons;
    InitPersons(persons, files);
    DrawPersonLabel(persons[kKai], screen, fonts);
    EXPECT_EQ(screen.At(500, 200), 0x07E0) << "Kai's name at (500, 200) in the ordinary font";
    EXPECT_EQ(screen.At(499, 200) | screen.At(500, 199), 0);

    // "-#-": two hyphens 10 wide; the line break counts only for a person's label
    WorldObject thing;
    thing.textX = thing.textY = 100;
    CopyText(thing.name, "-#-");
    DrawObjectLabel(thing, screen, fonts);
    EXPECT_EQ(screen.At(120, 100), 0x07E0);
    EXPECT_EQ(screen.At(100, 118), 0);
    Person native = persons[kNative];
    CopyText(native.name, "-#-");
    DrawPersonLabel(native, screen, fonts);
    EXPECT_EQ(screen.At(native.textX, native.textY + 18), 0x07E0);
    EXPECT_EQ(screen.At(native.textX + 20, native.textY), 0);
}
