#pragma once

#include "comm/CRawDataHandle.h"

#include <cstring>
#include <deque>
#include <string>

// The line cut written the direct way (strstr from each piece's start): the
// behaviour the linear cut must reproduce exactly. Test and benchmark only.
// Unterminated text longer than residualMax is dropped together with the rest
// of its line, up to and including the line end.
struct SplitReference {
    std::string residual;
    size_t residualMax = COMM::CRawDataHandle::kResidualMax;
    bool skipping = false;
    int runsDropped = 0;

    std::deque<std::string> split(const std::string &chunk)
    {
        std::deque<std::string> pieces;
        residual += chunk;
        const size_t total = residual.size();
        const char *base = residual.c_str();
        const char *p = base;
        size_t offset = 0, count = 0;
        std::string rest;
        while (true) {
            const char *hit = std::strstr(p, "\r\n");
            size_t length = 0;
            if (hit) {
                length = static_cast<size_t>(hit - p) + 2;
            } else if ((hit = std::strchr(p, '\n')) != nullptr || (hit = std::strchr(p, '\r')) != nullptr) {
                length = static_cast<size_t>(hit - p) + 1;
            } else {
                rest = p;
                break;
            }
            pieces.push_back(residual.substr(offset, length));
            offset += length;
            p = base + offset;
            ++count;
            if (count > total || offset == total)
                break;
        }
        std::deque<std::string> out;
        for (std::string &piece : pieces) {
            if (skipping)
                skipping = false;  // the end of the dropped run
            else
                out.push_back(std::move(piece));
        }
        if (skipping) {
            rest.clear();
        } else if (rest.size() > residualMax) {
            rest.clear();
            skipping = true;
            ++runsDropped;
        }
        residual = rest;
        return out;
    }
};
