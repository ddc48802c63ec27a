// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/screens/identity.h"

#include "model/language/catalog.h"
#include "model/screens/addresses.h"

namespace tarnis::about {

namespace {

// "Version 1.0.0", where no address says where Tarnis comes from.
std::string versionLine() { return fill(translate("Version {version}"), {{"version", std::string(ProgramVersion)}}); }

} // namespace

// TRANSLATORS: the program's name, in window titles and on the title screen; keep it unless your script
// needs it written in its own letters.
std::string programTitle() { return std::string(translate("Tarnis")); }

std::string makerName() { return std::string(translate("The Tarnis developers")); }

std::string contactEmail() { return build::ContactEmail; }

std::string homePage() { return build::HomePage; }

std::string sourceCodeAddress() { return build::SourceAddress; }

std::string sourceArchiveName() { return "tarnis-" + std::string(ProgramVersion) + ".tar.gz"; }

std::string sourceCodeSentence()
{
    if (!sourceCodeAddress().empty())
        return fill(translate("The source code of this release is at {address}."), {{"address", sourceCodeAddress()}});
    return fill(translate("The source code of this release comes with it, as the archive {archive}."),
                {{"archive", sourceArchiveName()}});
}

std::string licenceName() { return "GPL-3.0-or-later"; }

std::vector<std::string> contactBlock()
{
    // TRANSLATORS: the author panel's lines; {archive} is a file name such as tarnis-1.0.0.tar.gz.
    const std::string source = fill(translate("Source: {archive}"), {{"archive", sourceArchiveName()}});
    const std::string email = fill(translate("E-mail: {address}"), {{"address", contactEmail()}});
    return {
        makerName(),
        contactEmail().empty() ? source : email,
        homePage().empty() ? versionLine() : std::string(translate("Post: see the home page")),
        std::string(translate("Tarnis project")),
        std::string(translate("Population ecology teaching")),
        // TRANSLATORS: GNU GPL 3+ is the licence's short name: keep it.
        std::string(translate("Free software, GNU GPL 3+")),
        std::string(translate("Made for classrooms everywhere")),
    };
}

// The notice's form is the same in every language; only who makes Tarnis is translated.
std::string noticeLine(int year) { return "Copyright (C) " + std::to_string(year) + " " + makerName(); }

std::string citationAuthor() { return std::string(translate("The Tarnis developers")); }

// TRANSLATORS: the program as a reader's paper cites it.
std::string citationTitle() { return std::string(translate("Tarnis (computer program)")); }

std::string citationSource() { return homePage().empty() ? versionLine() + "." : homePage(); }

std::string rightsLine()
{
    return std::string(translate("Free software, licensed under the GNU GPL, version 3 or later."));
}

std::string protectionStatement()
{
    // TRANSLATORS: the licence's warranty statement; the licence itself stays as published.
    const std::string statement(translate("Tarnis is free software: you can redistribute it and/or modify it "
                                          "under the terms of the GNU General Public License as published by the "
                                          "Free Software Foundation, either version 3 of the License, or (at your "
                                          "option) any later version. It is distributed in the hope that it will "
                                          "be useful, but WITHOUT ANY WARRANTY; without even the implied warranty "
                                          "of MERCHANTABILITY or FITNESS FOR A PARTICULAR PURPOSE. See the GNU "
                                          "General Public License for more details."));
    return statement;
}

std::vector<Download> downloads()
{
    if (homePage().empty())
        return {};
    return {{homePage(), std::string(translate("Tarnis project"))}};
}

std::vector<std::string> furtherDistributors()
{
    return {std::string(translate("Your school's software catalogue")),
            std::string(translate("Your Linux distribution"))};
}

// TRANSLATORS: what the author panel's picture shows, read out to those who cannot see it.
std::string emblemName() { return std::string(translate("Emblem: a ladybird on a leaf")); }

} // namespace tarnis::about
