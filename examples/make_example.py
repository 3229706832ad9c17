#!/usr/bin/env python3
"""Writes zbierka.pln, a small sample database: four CDs, Slovak texts with diacritics,
stored as the program stores them (Windows-1250 bytes, one line, no line break).

Run it from this folder: python3 make_example.py
"""

RECORDS = [
    # ten titles, CD name, author, type, lent on, first name, surname, due back
    (["Ranná hmla", "Večer pri vode", "Dážď", "More", "Cesta domov", "Leto",
      "Zima", "Noc", "Koniec", "Ešte raz"],
     "Piesne 2003", "Kapela", "audio", "15.03.2003", "Peter", "Kováč", "31.03.2003"),
    (["Tichá noc", "Päť ruží", "Žltá ľalia", "Čerešne", "Šťastie", "Ďaleko",
      "Ťažké ráno", "Ôsmy deň", "Úsmev", "Zbohom"],
     "Zlaté hity", "Ľudová hudba", "audio", "02.04.2003", "Zuzana", "Šťastná", "16.04.2003"),
    (["Úvod", "Jar", "Leto", "Jeseň", "Zima", "Sonáta", "Rondo", "Menuet",
      "Fúga", "Záver"],
     "Štyri ročné obdobia", "Orchester", "klasika", "20.04.2003", "Ján", "Horváth",
     "04.05.2003"),
    (["Štart", "Rýchlosť", "Zákruta", "Tunel", "Most", "Diaľnica", "Cieľ",
      "Návrat", "Garáž", "Ticho"],
     "Cesta", "Bratia Novákovci", "mp3", "01.05.2003", "Mária", "Kollárová",
     "15.05.2003"),
]

out = str(len(RECORDS))
for titles, *fields in RECORDS:
    out += "".join(t + "|" for t in titles) + "".join(f + "|" for f in fields)
with open("zbierka.pln", "wb") as f:
    f.write(out.encode("cp1250"))
