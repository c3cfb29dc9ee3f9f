// The three islanders: Kai, the native woman and Jim.
#pragma once

#include <array>
#include <cstdint>

#include "platform/files.h"
#include "platform/surface.h"
#include "platform/text.h"

namespace vz {

inline constexpr int kPersonCount = 3;
enum PersonId : int { kKai = 0, kNative = 1, kJim = 2 };

struct PersonRow {
    uint8_t present;
    int32_t height, width, x, y, textX, textY;
    const char* name;
    const char* lookText;
    const char* takeText;
    const char* standImage;
    const char* talkImages[3];
};

extern const PersonRow kPersonTable[kPersonCount];

struct Person {
    Surface standImage;
    std::array<Surface, 3> talkImages;
    uint8_t present = 0;
    int32_t height = 0, width = 0;
    int32_t x = 0, y = 0;
    int32_t textX = 0, textY = 0;
    char name[20] = {};
    char lookText[50] = {};
    char takeText[50] = {};
};

using Persons = std::array<Person, kPersonCount>;

void InitPerson(Person& person, Files& files, const PersonRow& row);
void InitPersons(Persons& persons, Files& files);

bool PersonUnderMouse(const Person& person, int mouseX, int mouseY);
void DrawPersonLabel(const Person& person, Surface& target, const Fonts& fonts);
// Talking picture k (0..2) over the standing one.
void DrawPersonTalking(const Person& person, int k, Surface& target);

}  // namespace vz
