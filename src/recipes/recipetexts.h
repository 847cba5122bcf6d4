#pragma once

// A recipe: the thirty set values as the operator typed them, one per slot of each
// panel, indexed [panel][slot] from 1 (index 0 unused).

#include "panels.h"

#include <QString>

#include <array>

using RecipeTexts = std::array<std::array<QString, kSlotCount + 1>, kPanelCount + 1>;

struct RecipeSlot {
    int panel = 0;
    int slot = 0;
    bool operator==(const RecipeSlot &o) const { return panel == o.panel && slot == o.slot; }
};

// Every field holding `text`, as a new recipe starts.
inline RecipeTexts uniformRecipe(const QString &text)
{
    RecipeTexts texts;
    for (int panel = 1; panel <= kPanelCount; ++panel)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            texts[panel][slot] = text;
    return texts;
}
