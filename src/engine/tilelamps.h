#pragma once

// The four lamps of a tile, as the status register's bits 0, 1, 3 and 4 set them.
struct TileLamps {
    bool out1 = false;
    bool out2 = false;
    bool al1 = false;
    bool al2 = false;

    static TileLamps fromStatus(int status)
    {
        return {(status & 0x01) != 0, (status & 0x02) != 0, (status & 0x08) != 0,
                (status & 0x10) != 0};
    }
    bool operator==(const TileLamps &o) const
    {
        return out1 == o.out1 && out2 == o.out2 && al1 == o.al1 && al2 == o.al2;
    }
};
