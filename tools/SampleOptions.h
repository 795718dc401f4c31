#pragma once

#include "SampleCatalogue.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command line of the sample data program.
struct SampleOptions {
    CatalogueOptions catalogue;
    QString outDir; // empty: the program's own folder
    bool help = false;
};

// Reads the arguments after the program name: --kinds N, --products N, --params N,
// --out DIR, --help. Throws UsageError for an unknown option, a missing value or a
// count that is not a positive whole number.
SampleOptions parseSampleOptions(const QStringList& arguments);

QString sampleOptionsUsage();
