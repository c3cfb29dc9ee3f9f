// The person table, the person record's constructor, hover test, label and talking pictures.
#include "world/persons.h"

#include "platform/sbf.h"
#include "world/objects.h"

namespace vz {

// present, height, width, x, y, textX, textY, name, lookText, takeText, standing picture, talking pictures
const PersonRow kPersonTable[kPersonCount] = {
    {1, 150, 124, 500, 224, 500, 200, "Kai", "Kai the barkeeper", "I don't want him", "images/persons/kai.sbf",
     {"images/persons/kai2r1.sbf", "images/persons/kai2r2.sbf", "images/persons/kai2r3.sbf"}},  // 0 Kai, bar
    {1, 300, 100, 800, 250, 760, 235, "a native", "A resident of the isle", "Na Na", "images/persons/eingeborene1.sbf",
     {"images/persons/eingeborene1r1.sbf", "images/persons/eingeborene1r2.sbf",
      "images/persons/eingeborene1r3.sbf"}},  // 1 the native woman, village
    {1, 300, 136, 200, 260, 180, 230, "Jim", "A silly person", "I won't touch him", "images/persons/jim.sbf",
     {"images/persons/jim1r1.sbf", "images/persons/jim1r2.sbf", "images/persons/jim1r3.sbf"}},  // 2 Jim, holes
};
static_assert(sizeof(kPersonTable) / sizeof(kPersonTable[0]) == kPersonCount);

void InitPerson(Person& p, Files& files, const PersonRow& row) {
    p.present = row.present;
    p.height = row.height;
    p.width = row.width;
    p.x = row.x;
    p.y = row.y;
    p.textX = row.textX;
    p.textY = row.textY;
    p.standImage = LoadPicture(files, row.standImage, p.width, p.height);
    for (int k = 0; k < 3; ++k) p.talkImages[k] = LoadPicture(files, row.talkImages[k], p.width, p.height);
    CopyText(p.name, row.name);
    CopyText(p.lookText, row.lookText);
    CopyText(p.takeText, row.takeText);
}

void InitPersons(Persons& persons, Files& files) {
    for (int i = 0; i < kPersonCount; ++i) InitPerson(persons[i], files, kPersonTable[i]);
}

bool PersonUnderMouse(const Person& p, int mouseX, int mouseY) {
    return p.x < mouseX && mouseX < p.x + p.width && p.y < mouseY && mouseY < p.y + p.height;
}

void DrawPersonLabel(const Person& p, Surface& target, const Fonts& fonts) {
    DrawBitmapText(TextLeftInsideScreen(p.textX, true, p.name), p.textY, true, 0, target, p.name, fonts);
}

void DrawPersonTalking(const Person& p, int k, Surface& target) {
    if (k < 0 || k > 2) return;
    DrawSprite(p.width, p.height, p.x, p.y, p.talkImages[k], target);
}

}  // namespace vz
