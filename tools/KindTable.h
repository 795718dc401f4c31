#pragma once

#include <vector>

// The hand-written description of the sample catalogue. Lists of values are single
// texts separated by "|" so that each parameter fits on one line.

// One parameter of a product kind: its column name (in the stored form) and the values
// the products draw from. A parameter that `follows` an earlier one takes the value at
// the position of that one's value, so that the two agree (a screen size and its
// description).
struct ParamDesc {
    const char* name;
    const char* values;
    const char* follows = nullptr;
};

// How the models of a kind are named: maker code, one of `series`, a number that grows
// with every model (`base`, `base` + `step`, ...), one of `suffixes` (an entry may be
// empty).
struct ModelDesc {
    const char* series;
    int base;
    int step;
    const char* suffixes;
};

// A product kind: the group it sits in, its name (also its table name), how many
// products it usually has, its first filter column with the values of it, its models and
// its further parameters. The first further parameter is the one in which the variants
// of one model differ (capacity, colour, packaging...).
//
// An entry of `firstValues` is a maker's name, whose model code comes from makers(), or
// "text=code" for a value that is not a maker (a series).
struct KindDesc {
    const char* group;
    const char* name;
    int products;
    const char* firstColumn;
    const char* firstValues;
    ModelDesc model;
    std::vector<ParamDesc> params;
};

struct MakerDesc {
    const char* name;
    const char* code;
};

// A kind name for kinds made beyond the hand-written ones, with its group and the
// letters its models start with.
struct ExtraKindDesc {
    const char* group;
    const char* name;
    const char* series;
};

// The computer shop's product kinds, in the order of the category tree.
const std::vector<KindDesc>& handWrittenKinds();
// Parameters every hand-written kind ends with.
const std::vector<ParamDesc>& commonParams();
// Parameters that fit most products: they fill up a kind that is asked for more
// parameters than it has, and make up the kinds beyond the hand-written ones.
const std::vector<ParamDesc>& genericParams();
// The invented makers.
const std::vector<MakerDesc>& makers();
// Names of the kinds beyond the hand-written ones, and the words that make further
// names from them once they are used up.
const std::vector<ExtraKindDesc>& extraKinds();
const std::vector<const char*>& kindQualifiers();
