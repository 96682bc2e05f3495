#pragma once

#include <cstdio>
#include <string>

// Runs a command and returns what it printed on standard output.
inline std::string RunAndCapture(const std::string& command) {
    std::string out;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    pclose(p);
    return out;
}

inline std::string PdfText(const std::string& pdf, bool layout = false) {
    return RunAndCapture(std::string(VELTRANO_PDFTOTEXT) + (layout ? " -layout " : " ") + "'" +
                         pdf + "' - 2>/dev/null");
}

inline std::string PdfFonts(const std::string& pdf) {
    return RunAndCapture(std::string(VELTRANO_PDFFONTS) + " '" + pdf + "' 2>/dev/null");
}
