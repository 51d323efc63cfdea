// main() of the benchmarks that need widgets: a QApplication on the offscreen platform
// with the music font, and settings, data and temporary folders in a folder of the run's
// own, which `prepare` may use too.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <functional>

#include "resources/MusicFont.h"

namespace ks {

inline int runOffscreenBenchmarks(int argc, char** argv,
                                  const std::function<void(QTemporaryDir&)>& prepare = {}) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir root;
    qputenv("XDG_CONFIG_HOME", (root.path() + "/config").toLocal8Bit());
    qputenv("KEYSTAVES_DATA_DIR", (root.path() + "/data").toLocal8Bit());
    qputenv("KEYSTAVES_TEMP_DIR", root.path().toLocal8Bit());
    QApplication app(argc, argv);
    loadMusicFont();
    if (prepare) prepare(root);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace ks
