# The model's sources, written once: the model library, the fuzz build (tests/fuzz) and the
# WebAssembly module (web/) read these lists, so a new model file cannot be left out of any.
# tarnis_model_sources build with any C++20 library, emscripten's included; the thread pool of the
# scans needs std::jthread and stays with the native builds.
set(tarnis_model_sources
    store.h
    conversions.h conversions.cpp
    decimal_digits.h decimal_digits.cpp
    model_step.h
    run.h run.cpp
    run_refusals.h run_refusals.cpp
    trajectory.h trajectory.cpp
    parameter_boxes.h parameter_boxes.cpp
    graphic_data.h graphic_data.cpp
    title_animation.h title_animation.cpp
    kept_runs.h kept_runs.cpp
    double_double.h double_double.cpp
    chart_quantities.h chart_quantities.cpp
    play_pace.h play_pace.cpp
    linear_stability.h linear_stability.cpp
    lyapunov.h lyapunov.cpp
    run_regime.h run_regime.cpp
    regime_colours.h regime_colours.cpp
    dynamics_labels.h
    scan_cells.h scan_cells.cpp
    scan_estimate.h scan_estimate.cpp
    identity.h identity.cpp
    teaching_texts.h teaching_texts.cpp
    main_window_texts.h main_window_texts.cpp
    chart_kinds.h chart_kinds.cpp
    chart_words.h chart_words.cpp
    chart_view_limits.h chart_view_limits.cpp
    quantity_text.h quantity_text.cpp
    regime_words.h regime_words.cpp
    dynamics_plan.h dynamics_plan.cpp
)
set(tarnis_model_thread_sources
    parameter_scan.h parameter_scan.cpp
)

# Where this copy of Tarnis can be reached: its home page, the address of its source code and an
# e-mail address for comments, set by whoever builds it for others. None is set by default, and no
# text then shows an address: the source comes with the release instead (scripts/package builds the
# archive). Taken from the environment when cmake is not given them, so that the native build and the
# WebAssembly module, configured apart, carry the same:
#   TARNIS_HOME_PAGE=https://… TARNIS_SOURCE_ADDRESS=https://… TARNIS_CONTACT_EMAIL=… scripts/package
foreach(setting TARNIS_HOME_PAGE TARNIS_SOURCE_ADDRESS TARNIS_CONTACT_EMAIL)
    if(NOT DEFINED ${setting})
        set(${setting} "$ENV{${setting}}")
    endif()
    set(${setting} "${${setting}}" CACHE STRING "An address that Tarnis shows; empty: none")
endforeach()
# identity.cpp reads them from a header made here, in the build folder of whichever build includes this.
set(tarnis_model_generated ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/addresses.h.in ${tarnis_model_generated}/model/addresses.h @ONLY)
