#pragma once
// The page set-up a file carries, in twips; 0 where the file gives no value.
struct PageInfo {
    int width = 0;
    int height = 0;
    int marginL = 0;
    int marginT = 0;
    int marginR = 0;
    int marginB = 0;
};
