#pragma once

#include <QString>

#include <memory>

// Conversion between the column form of a parameter name, as the database stores it
// (【】 for brackets, "GBs", "MBs", "USBHUB", 【度】), and the display form the pages
// show ((), "GB/s", "MB/s", "USB-HUB", (℃)).
class IFieldName {
public:
    virtual ~IFieldName() = default;
    virtual QString ToDisplayName(const QString& columnName) const = 0;
    virtual QString ToColumnName(const QString& displayName) const = 0;
};

// The mapper is shared by reference counting: it lives as long as its last reference.
using IFieldNamePtr = std::shared_ptr<const IFieldName>;
