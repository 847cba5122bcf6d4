#pragma once

#include <QString>

// Where the files the program loads from its own folder live (the page-button, keypad
// and about pictures): beside the program when it runs from a build folder or a
// Windows install; in an installed Unix layout, <prefix>/share/tempmon, as
// <prefix>/bin holds programs only.
QString programFilesFolder(const QString &executableFolder);

// True for the shared files folder of an installed layout (<prefix>/share/tempmon
// beside <prefix>/bin): no place for the operator's files, even where it is writable
// (to root), since removing the package would leave them behind.
bool isInstalledFilesFolder(const QString &folder);

// Makes sure the "Recipe" folder exists and returns its path: beside the program
// when the program's folder is writable (as on a plain Windows install or in a build
// folder), else, and always when installed, in the user's data folder. Empty when
// neither can be created.
QString ensureRecipeFolder(const QString &programFolder);
