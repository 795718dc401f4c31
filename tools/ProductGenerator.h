#pragma once

#include "SampleCatalogue.h"

#include <functional>

// Receives one product: its id and its values, one per column after "id".
using ProductSink = std::function<void(qint64 id, const QStringList& values)>;

// Makes the products of `kind`, with the ids 1, 2, ... in order. Most models are one
// product; some come as two or three variants that share maker, model and every other
// value and differ in the first parameter after the model (as a memory module sold
// with several capacities). The same plan always gives the same products.
void generateProducts(const KindPlan& kind, const ProductSink& sink);
