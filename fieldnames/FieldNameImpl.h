#pragma once

#include "FieldNameIntf.h"

// The stateless mapper: a fixed sequence of replacements in each direction, each the
// exact inverse of the other.
class TFieldNameImpl final : public IFieldName {
public:
    QString ToDisplayName(const QString& columnName) const override;
    QString ToColumnName(const QString& displayName) const override;

    static IFieldNamePtr create();
};
