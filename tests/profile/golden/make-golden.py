#!/usr/bin/env python3
"""Writes the golden factory-default records of the profile store.

The records are built here from the record layout with every offset written out by hand,
independently of the C++ structs, so that the tests compare two derivations of the same
bytes. Fixed inputs: documents folder C:\\users\\tester\\Documents, system default
language 0x0409, records defaulted over zero bytes. The identity of a game profile (its
bytes 64..71, the time its defaults were made) is left zero: the tests mask it.

Run from this folder: python3 make-golden.py
"""
import struct

PROFILE_SIZE = 120256
ALL_SETTINGS_SIZE = 30954
GROUP_SIZE = 30964
SETTING_SIZE = 6190

CONFIG = 872  # ConfigInfo in a profile
BUTTON_SIZE = 3896


def put(record, offset, fmt, *values):
    struct.pack_into("<" + fmt, record, offset, *values)


def put_text(record, offset, text):
    put(record, offset, "%dH" % (len(text) + 1), *[ord(c) for c in text], 0)


def button(a):
    return CONFIG + BUTTON_SIZE * a


# (FunctionGroup, nFunctionIndex, nFunctionType, nFunctionCode) of buttons 0..8.
MOUSE_BUTTONS = [(1, 0, 1, 1), (1, 1, 2, 2), (1, 2, 3, 3)]
GAME_BUTTONS = {
    1: [(10, 24, 14, 1004), (10, 23, 14, 1003), (10, 21, 14, 1001),
        (10, 27, 14, 1007), (10, 25, 14, 1005), (10, 26, 14, 1006)],
    2: [(8, 3, 5, 4), (8, 4, 4, 5), (10, 29, 14, 1009),
        (3, 16, 15, 902), (3, 6, 15, 7), (3, 6, 15, 7)],
    3: [(8, 5, 16, 6), (8, 5, 16, 6), (8, 5, 16, 6),
        (5, 30, 18, 12), (1, 33, 10, 14), (1, 34, 9, 15)],
}
GAME_BUTTONS[4] = GAME_BUTTONS[5] = GAME_BUTTONS[3]

# Consumer-page codes of next track, previous track, play/pause, mute, volume up, down.
GAME1_HID = [0xB5, 0xB6, 0xCD, 0xE2, 0xE9, 0xEA]
LED = [(255, 255, 0), (0, 255, 0), (0, 0, 255), (217, 10, 126), (255, 0, 0)]


def game_profile(game):
    record = bytearray(PROFILE_SIZE)
    put(record, 0, "i", 259)  # FFileVersion
    put(record, CONFIG + 84464, "i", 9)  # ButtonCount
    for a, (group, index, ftype, code) in enumerate(MOUSE_BUTTONS + GAME_BUTTONS[game]):
        b = button(a)
        put(record, b + 3876, "H", a)  # nButtonIndex
        put(record, b + 3878, "H", index)
        put(record, b + 3880, "B", group)
        put(record, b + 3884, "i", ftype)
        put(record, b + 3888, "i", code)
    if game == 1:
        for k, code in enumerate(GAME1_HID):
            put(record, button(3 + k) + 16, "HHH", code, 0, 0)  # HidCode
    elif game == 2:
        put(record, button(5) + 16, "HHH", 39, 2, 0)
        put(record, button(6) + 6, "HHHHH", 115, 0, 0, 0, 1)  # ComboKey: Alt+F4
        put(record, button(7) + 6, "HHHHH", 84, 0, 0, 0, 2)  # Ctrl+T
        put(record, button(8) + 6, "HHHHH", 87, 0, 0, 0, 2)  # Ctrl+W
    else:
        for k, vk in enumerate([164, 162, 160]):
            put(record, button(3 + k) + 2, "HH", vk, 0)  # nKeyValue, nKeyValueExtended
        put(record, button(6) + 1040, "HH", 3, 1)  # nParam1, nParam2
    put(record, CONFIG + 74028, "H", 3)  # VWheelSpeed
    put(record, CONFIG + 74032, "H", 550)  # DoubleClickSpeed
    put(record, CONFIG + 74034, "H", 10)  # PointerSpeed
    put(record, CONFIG + 74036, "H", 0)  # PointerAcceleration
    put(record, CONFIG + 74040, "H", 500)  # ReportRate
    put(record, CONFIG + 74044, "i", game - 1)  # CurrentCPIIndex
    for level, cpi in enumerate([1000, 2000, 4000, 8200, 16400]):
        put(record, CONFIG + 74080 + 10 * level, "HHH", cpi, cpi, 1)  # CPIState
        put(record, CONFIG + 74056 + 2 * level, "H", 1)  # UseDiffentXY
    put(record, CONFIG + 74190, "H", 5)  # CPILevel
    r, g, b = LED[game - 1]
    put(record, CONFIG + 84454, "5B", r, g, b, 2, 3)  # LEDConfig
    return record


def all_settings():
    record = bytearray(ALL_SETTINGS_SIZE)
    put(record, 0, "H", 1)  # Allgameset[0].EntryFlag; CurrentGame and CurrentLanguage 0
    return record


def profile_group(documents):
    folder = documents + "\\Gaming Mouse Vardeln"
    record = bytearray(GROUP_SIZE)
    put(record, 0, "iii", 0, 0, 1)  # CurrentProfileGroup, ProfileIndexOfProfileGroup
    for i in range(5):
        entry = 12 + SETTING_SIZE * i
        put_text(record, entry + 2, folder)  # FilePath
        put_text(record, entry + 2050, "software\\Vardelngmmouse")  # KeyPath
        put_text(record, entry + 4098, "T362Profile%d.pfd" % (i + 1))  # FileName
        put_text(record, entry + 4140, folder + "\\T362Profile%d_Macros" % (i + 1))  # MacroPath
    return record


def main():
    for game in range(1, 6):
        with open("T362Profile%d.pfd" % game, "wb") as f:
            f.write(game_profile(game))
    with open("T362Profile.pfd", "wb") as f:
        f.write(all_settings())
    with open("T362ProfileSettingGroup.pfd", "wb") as f:
        f.write(profile_group("C:\\users\\tester\\Documents"))


main()
