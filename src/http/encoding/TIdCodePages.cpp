#include "http/encoding/TIdCodePages.h"

namespace tarnwick::http {

namespace {

// Sorted by code page for the binary search below.
constexpr TIdCodePageInfo kCodePages[] = {
    {37, "IBM037", 1},          {437, "IBM437", 1},
    {500, "IBM500", 1},         {708, "ISO-8859-6", 1},
    {737, "CP737", 1},          {775, "CP775", 1},
    {850, "IBM850", 1},         {852, "IBM852", 1},
    {855, "IBM855", 1},         {857, "IBM857", 1},
    {858, "IBM858", 1},         {860, "IBM860", 1},
    {861, "IBM861", 1},         {862, "IBM862", 1},
    {863, "IBM863", 1},         {864, "IBM864", 1},
    {865, "IBM865", 1},         {866, "IBM866", 1},
    {869, "IBM869", 1},         {870, "IBM870", 1},
    {874, "CP874", 1},          {875, "IBM875", 1},
    {932, "CP932", 2},          {936, "CP936", 2},
    {949, "CP949", 2},          {950, "BIG5", 2},
    {1026, "IBM1026", 1},       {1047, "IBM1047", 1},
    {1140, "IBM1140", 1},       {1141, "IBM1141", 1},
    {1142, "IBM1142", 1},       {1143, "IBM1143", 1},
    {1144, "IBM1144", 1},       {1145, "IBM1145", 1},
    {1146, "IBM1146", 1},       {1147, "IBM1147", 1},
    {1148, "IBM1148", 1},       {1149, "IBM1149", 1},
    {1200, "UTF-16LE", 4},      {1201, "UTF-16BE", 4},
    {1250, "CP1250", 1},        {1251, "CP1251", 1},
    {1252, "CP1252", 1},        {1253, "CP1253", 1},
    {1254, "CP1254", 1},        {1255, "CP1255", 1},
    {1256, "CP1256", 1},        {1257, "CP1257", 1},
    {1258, "CP1258", 1},        {1361, "JOHAB", 2},
    {10000, "MACINTOSH", 1},    {10007, "CP10007", 1},
    {10017, "MACUKRAINIAN", 1}, {10029, "MAC-CENTRALEUROPE", 1},
    {10079, "MAC-IS", 1},       {12000, "UTF-32LE", 4},
    {12001, "UTF-32BE", 4},     {20105, "ANSI_X3.4-1968", 1},
    {20106, "ISO646-DE", 1},    {20107, "ISO646-SE", 1},
    {20108, "ISO646-NO", 1},    {20127, "ANSI_X3.4-1968", 1},
    {20261, "T.61-8BIT", 2},    {20273, "IBM273", 1},
    {20277, "IBM277", 1},       {20278, "IBM278", 1},
    {20280, "IBM280", 1},       {20284, "IBM284", 1},
    {20285, "IBM285", 1},       {20290, "IBM290", 1},
    {20297, "IBM297", 1},       {20420, "IBM420", 1},
    {20423, "IBM423", 1},       {20424, "IBM424", 1},
    {20866, "KOI8-R", 1},       {20871, "IBM871", 1},
    {20880, "IBM880", 1},       {20905, "IBM905", 1},
    {20932, "EUC-JP", 3},       {20936, "EUC-CN", 2},
    {21025, "IBM1025", 1},      {21866, "KOI8-U", 1},
    {28591, "ISO-8859-1", 1},   {28592, "ISO-8859-2", 1},
    {28593, "ISO-8859-3", 1},   {28594, "ISO-8859-4", 1},
    {28595, "ISO-8859-5", 1},   {28596, "ISO-8859-6", 1},
    {28597, "ISO-8859-7", 1},   {28598, "ISO-8859-8", 1},
    {28599, "ISO-8859-9", 1},   {28603, "ISO-8859-13", 1},
    {28605, "ISO-8859-15", 1},  {38598, "ISO-8859-8", 1},
    {50220, "ISO-2022-JP", 5},  {50221, "ISO-2022-JP", 5},
    {50222, "ISO-2022-JP", 5},  {50225, "ISO-2022-KR", 5},
    {50227, "ISO-2022-CN", 5},  {51932, "EUC-JP", 3},
    {51936, "EUC-CN", 2},       {51949, "EUC-KR", 2},
    {54936, "GB18030", 4},      {65000, "UTF-7", 5},
    {65001, "UTF-8", 4},
};

}  // namespace

const TIdCodePageInfo* FindCodePage(int codePage) {
    std::size_t lo = 0;
    std::size_t hi = sizeof(kCodePages) / sizeof(kCodePages[0]);
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (kCodePages[mid].CodePage < codePage) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (lo < sizeof(kCodePages) / sizeof(kCodePages[0]) && kCodePages[lo].CodePage == codePage) {
        return &kCodePages[lo];
    }
    return nullptr;
}

}  // namespace tarnwick::http
