#pragma once

#include "SampleCatalogue.h"

#include <QString>

// Names of the two data files, which the program finds in its own folder.
inline constexpr const char* kCategoryFileName = "class.lst";
inline constexpr const char* kDatabaseFileName = "velmora.vdb";

// Writes the category file and the parameter database of `catalogue` into `folder`
// (made if missing). Each file is written under a temporary name and then put in place,
// so a failed run leaves no half-written file behind. Throws on failure.
void writeSampleData(const SampleCatalogue& catalogue, const QString& folder);
