// Who makes and distributes this copy of Tarnis, and under which licence. Every front end takes these
// texts from here (the windows through ui/identity.h), so an institution that deploys Tarnis changes
// its name and addresses in identity.cpp alone.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnis::about {

// The release; the build reads it from here (CMakeLists.txt), so the package, tarnis-run and the page
// all carry this one.
inline constexpr std::string_view ProgramVersion{"1.0.0"};

std::string programTitle();              // "Tarnis"
std::string makerName();                 // who stands behind this copy
// The addresses are those whoever built this copy set (see model/sources.cmake); each is empty when
// not set, and no text then shows it, as none shows a made-up one.
std::string contactEmail();              // where comments go
std::string homePage();                  // the project's home page
std::string sourceCodeAddress();         // where the source of this very release can be had, as the licence asks
std::string sourceArchiveName();         // the source archive of this release: "tarnis-1.0.0.tar.gz"
// Where the source code is, in a sentence: at the source address when there is one, else in the
// archive that comes with the release.
std::string sourceCodeSentence();
std::string licenceName();               // the licence's SPDX name: "GPL-3.0-or-later"
// Seven lines: name, e-mail (or where the source is), post (or the version), laboratory, department,
// institution, place.
std::vector<std::string> contactBlock();
std::string noticeLine(int year);        // the one-line notice of the main window
std::string citationAuthor();            // the maker as it stands in a citation
std::string citationTitle();             // the program as it stands in a citation
std::string citationSource();            // where a reader of it finds Tarnis: the home page, else "Version 1.0.0."
std::string rightsLine();                // the notice screen's line of what users may do with Tarnis
std::string protectionStatement();       // the notice screen's licence and warranty statement
std::string emblemName();                // what the emblem of the author panel shows, for those who cannot see it

struct Download {
    std::string address;
    std::string institution;
};
std::vector<Download> downloads();              // where new versions can be had: none without a home page
std::vector<std::string> furtherDistributors(); // other places that offer Tarnis

} // namespace tarnis::about
