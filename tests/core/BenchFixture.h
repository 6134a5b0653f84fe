#pragma once
// A started bench with a recording host, and helpers to read what it shows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeHost.h"
#include "bench/BenchModel.h"

namespace eh::test {

class BenchTest : public ::testing::Test {
protected:
    explicit BenchTest(char separator = '.') : bench(host, separator) {
        bench.setChangeListener([this](WidgetId id) { changes.push_back(id); });
        bench.Form_Load();
        bench.Rnd = [] { return 0.5f; }; // a noise term of zero
        changes.clear();
    }

    const std::string& text(std::string_view name) const { return bench.widget(name).text; }
    int count(WidgetId id) const {
        int n = 0;
        for (auto c : changes) n += c == id;
        return n;
    }
    void press(void (BenchModel::*op)(), int times = 1) {
        for (int i = 0; i < times; ++i) (bench.*op)();
    }

    FakeHost host;
    BenchModel bench;
    std::vector<WidgetId> changes;
};

} // namespace eh::test
