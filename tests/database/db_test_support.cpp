#include "db_test_support.h"

#include <fstream>
#include <iterator>

namespace dbtest {

namespace {
cMesBoxCapture* g_Capture = nullptr;
}

cMesBoxCapture::cMesBoxCapture(int a) : answer(a) {
    g_Capture = this;
    SetMesBoxPresenter([](const std::string& text, const std::string& caption, unsigned) {
        g_Capture->texts.push_back(text);
        g_Capture->captions.push_back(caption);
        return g_Capture->answer;
    });
}

cMesBoxCapture::~cMesBoxCapture() {
    SetMesBoxPresenter(nullptr);
    g_Capture = nullptr;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace dbtest
