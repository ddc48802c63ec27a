// The quantities a run chart plots against each other, their names, and what the readout tells of
// the step under the pointer: the chart's own x and y first, then the other values of that step.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tarnis {

// A value that a chart reads from the result store for each time step t.
enum class Quantity {
    Time,   // t
    N,      // PopN(t)
    NextN,  // PopN(t + 1)
    DN,     // PopDN(t)
    DNperN, // PopDNperN(t)
    LogN,   // ln PopN(t)
    K,      // ParamK, the same for every t
};

// "t", "N(t)", "N(t+1)", "dN(t)", "dN(t)/N(t)", "ln N(t)", "K": how the readout and the legend name
// a quantity.
std::string quantityName(Quantity quantity);

// Every value of one time step of a run that a chart can show.
struct StepReading {
    int t = 0;
    double n = 0.0;      // N(t)
    double nextN = 0.0;  // N(t+1); NaN after the run's last value
    double dn = 0.0;     // dN(t)
    double dnPerN = 0.0; // dN(t)/N(t)
    double K = 0.0;
};

double quantityValue(const StepReading& step, Quantity quantity);

// The readout's lines for a point of a series of x against y: "x = …" and "y = …" first, then t,
// N(t), dN(t) and dN(t)/N(t) where they are not among those two, each "name = value" to 15
// significant digits with the given decimal separator ("no value" for a NaN). K, ln N and N(t+1) are
// told only where the chart plots them.
std::vector<std::string> readoutLines(Quantity x, Quantity y, const StepReading& step, char decimalSeparator);

} // namespace tarnis
