#pragma once

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "render/trace_surface.h"
#include "render/view_state.h"
#include "tests/support/temp_home.h"

// A record file "r.ini" in a fresh home, a view on it in slot 1, and traces of what is drawn.
class RenderTest : public TempHomeTest {
protected:
    RenderTest() {
        record.SetPath(Home() + "/r.ini");
        view.settings = &settings;
        view.record = &record;
        view.label = {358, 216};
    }

    void Settings(const std::string& bytes) { WriteBytes(PathOf("ZULNAME.INI"), bytes); }
    void Record(const std::string& bytes) { WriteBytes(PathOf("r.ini"), bytes); }

    // The trace lines of a drawing, without the surface line, keeping those starting with one
    // of the prefixes (all when none are given).
    std::vector<std::string> Trace(const std::function<void(Surface&)>& draw, std::vector<std::string> prefixes = {},
                                   bool printing = true) {
        std::ostringstream out;
        TraceSurface surface(out, 100, 100, printing);
        draw(surface);
        std::vector<std::string> lines;
        std::istringstream in(out.str());
        std::string line;
        std::getline(in, line);
        while (std::getline(in, line)) {
            bool keep = prefixes.empty();
            for (const std::string& prefix : prefixes) keep = keep || line.rfind(prefix, 0) == 0;
            if (keep) lines.push_back(line);
        }
        return lines;
    }

    const SettingsProfile settings;
    RecordProfile record;
    ViewState view;
};
