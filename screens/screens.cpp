// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/screens.h"

#include "screens/leaving_screens.h"
#include "screens/teaching_screens.h"
#include "screens/title_screen.h"
#include "ui/navigator.h"

namespace tarnis {

void registerScreens(Navigator& navigator, SharedState& state, Services services)
{
    Navigator* nav = &navigator;
    navigator.registerWindow(WindowId::Title, [nav, &state] { return new TitleScreen(state.title, *nav); });
    navigator.registerWindow(WindowId::Introduction, [nav] { return new Introduction(*nav); });
    navigator.registerWindow(WindowId::References, [nav] { return new ReferenceList(*nav); });
    navigator.registerWindow(WindowId::FurtherRemarks, [nav] { return new FurtherRemarks(*nav); });
    navigator.registerWindow(WindowId::Quiz, [nav] { return new QuizScreen(*nav); });
    navigator.registerWindow(WindowId::Notice, [nav, services] { return new NoticeScreen(*nav, services); });
    navigator.registerWindow(WindowId::Dedication, [services] { return new DedicationScreen(services); });
}

} // namespace tarnis
