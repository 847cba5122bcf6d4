#pragma once

#include <QString>

// Makes sure the "Recipe" folder exists and returns its path: beside the program
// when the program's folder is writable (as on a plain Windows install), else in
// the user's data folder. Empty when neither can be created.
QString ensureRecipeFolder(const QString &programFolder);
