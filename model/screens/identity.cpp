// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/screens/identity.h"

#include "model/screens/addresses.h"

namespace tarnis::about {

std::string programTitle() { return "Tarnis"; }

std::string makerName() { return "The Tarnis developers"; }

std::string contactEmail() { return build::ContactEmail; }

std::string homePage() { return build::HomePage; }

std::string sourceCodeAddress() { return build::SourceAddress; }

std::string sourceArchiveName() { return "tarnis-" + std::string(ProgramVersion) + ".tar.gz"; }

std::string sourceCodeSentence()
{
    if (!sourceCodeAddress().empty())
        return "The source code of this release is at " + sourceCodeAddress() + ".";
    return "The source code of this release comes with it, as the archive " + sourceArchiveName() + ".";
}

std::string licenceName() { return "GPL-3.0-or-later"; }

std::vector<std::string> contactBlock()
{
    return {
        makerName(),
        contactEmail().empty() ? "Source: " + sourceArchiveName() : "E-mail: " + contactEmail(),
        homePage().empty() ? "Version " + std::string(ProgramVersion) : "Post: see the home page",
        "Tarnis project",
        "Population ecology teaching",
        "Free software, GNU GPL 3+",
        "Made for classrooms everywhere",
    };
}

std::string noticeLine(int year) { return "Copyright (C) " + std::to_string(year) + " " + makerName(); }

std::string citationAuthor() { return "The Tarnis developers"; }

std::string citationTitle() { return "Tarnis (computer program)"; }

std::string citationSource()
{
    return homePage().empty() ? "Version " + std::string(ProgramVersion) + "." : homePage();
}

std::string rightsLine() { return "Free software, licensed under the GNU GPL, version 3 or later."; }

std::string protectionStatement()
{
    return "Tarnis is free software: you can redistribute it and/or modify it under the terms of the "
           "GNU General Public License as published by the Free Software Foundation, either version 3 "
           "of the License, or (at your option) any later version. It is distributed in the hope that "
           "it will be useful, but WITHOUT ANY WARRANTY; without even the implied warranty of "
           "MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU General Public License "
           "for more details.";
}

std::vector<Download> downloads()
{
    if (homePage().empty())
        return {};
    return {{homePage(), "Tarnis project"}};
}

std::vector<std::string> furtherDistributors()
{
    return {"Your school's software catalogue", "Your Linux distribution"};
}

std::string emblemName() { return "Emblem: a ladybird on a leaf"; }

} // namespace tarnis::about
