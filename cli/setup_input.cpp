// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/setup_input.h"

#include "model/lessons/json_text.h"
#include "model/lessons/setup.h"
#include "model/run/run_refusals.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tarnis::cli {

std::variant<SetupRun, std::string> readSetupRun(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return "cannot read the file: " + std::string(std::strerror(errno));
    // One byte beyond what the reader takes, so that a file too large is refused in the model's words.
    std::string text(json::MostBytes + 1, '\0');
    file.read(text.data(), std::streamsize(text.size()));
    if (file.bad())
        return "cannot read the file: " + std::string(std::strerror(errno));
    text.resize(std::size_t(file.gcount()));

    auto read = readSetupFile(text);
    if (auto* refusal = std::get_if<std::string>(&read))
        return std::move(*refusal);
    ReadSetup& setup = std::get<ReadSetup>(read);
    const auto parameters = readRunParameters(setup.setup.run, '.');
    if (const auto* refusal = std::get_if<RunRefusal>(&parameters))
        return refusalMessage(*refusal, '.');
    return SetupRun{std::get<RunParameters>(parameters), std::move(setup.notes)};
}

} // namespace tarnis::cli
