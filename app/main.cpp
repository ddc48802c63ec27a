// Tarnis: the discrete-time logistic model with a time lag, for teaching and research.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tarnis_app.h"

int main(int argc, char** argv) { return tarnis::runTarnis(argc, argv); }
