#!/usr/bin/env python3
"""Writes the fuzz target's seed corpus: real store files, one per shape the loader meets.

Run once; the files are kept in fuzz/corpus. Rerunning rewrites them.
"""
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
CORPUS = HERE / "corpus"

PROLOG = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><!--VELMOR SOFT Zarkit config file!-->"
SETTINGS = ("<Start_OnWindow>yes</Start_OnWindow><Show_TickCount>450</Show_TickCount>"
            "<Show_TipOnStart>yes</Show_TipOnStart>"
            "<Animate_WindowOnStart>yes</Animate_WindowOnStart>"
            "<SelTable_MouseOn>no</SelTable_MouseOn>")


def ident(n):
    return "{%08X-7D40-4e8b-9C21-%012X}" % (0x3A1F5C92 + n, 0x5B7E0D4A6F13 + n)


def escape(text, quote=False):
    text = text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    return text.replace("\"", "&quot;") if quote else text


def item(path, nick, work_dir="", params="", n=0, special="no", with_id=True):
    attributes = [("Nick_Name", nick), ("Work_Dir", work_dir), ("Start_Params", params)]
    if with_id:
        attributes.append(("Unique_Identifier", ident(n)))
    attributes.append(("Is_VirtualFloder", special))
    text = "".join(" %s=\"%s\"" % (name, escape(value, True)) for name, value in attributes)
    return "<Table_Item%s>%s</Table_Item>" % (text, escape(path))


def table(label, *items):
    return "<Table_Node><Table_Lable>%s</Table_Lable>%s</Table_Node>" % (escape(label),
                                                                         "".join(items))


def store(*content, settings=SETTINGS, prolog=PROLOG):
    return prolog + "<File_Desc>" + settings + "".join(content) + "</File_Desc>"


def every_kind(n=0):
    return [
        item("C:\\Tools\\editor.exe", "Editor", "C:\\Tools", "", n + 1),
        item("C:\\Program Files\\App\\app.exe", "App", "C:\\Program Files\\App",
             "--profile \"work\"", n + 2),
        item("17", "My Computer", n=n + 3, special="yes"),
        item("0", "Desktop", n=n + 4, special="yes"),
        item("5", "My Documents", n=n + 5, special=" YES "),
        item("C:\\Program Files\\Browser\\browser.exe", "Search", "C:\\Program Files\\Browser",
             "https://example.org/?q=a&b=<c>", n + 6),
    ]


FILES = {
    # As CreateDefaultStore writes it: the declaration made from its pseudo-attributes.
    "default_store.xml": "<?xml version='1.0'  encoding='UTF-8'?>"
                         "<!--VELMOR SOFT Zarkit config file!--><File_Desc>" + SETTINGS +
                         "</File_Desc>",
    "tables_of_every_kind.xml": store(table("Tools", *every_kind(0)),
                                      table("Games", *every_kind(10)),
                                      table("Web", *every_kind(20)[4:])),
    "unicode_names.xml": store(
        table("Werkzeuge \u2013 \u5de5\u5177",
              item("C:\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b\\\u0440\u0435"
                   "\u0434\u0430\u043a\u0442\u043e\u0440.exe", "\u0420\u0435\u0434\u0430\u043a"
                   "\u0442\u043e\u0440 \U0001f4dd", "C:\\\u041f\u0440\u043e\u0433\u0440\u0430"
                   "\u043c\u043c\u044b", "", 1)),
        table("\u0399\u03a3\u03a4\u039f\u03a3 \U0001f310",
              item("C:\\b.exe", "<b> & \"quoted\"", n=2))),
    "empty_tables.xml": store(table("Empty"), table("Also empty"), table(" padded  ")),
    "tick_count_after_tables.xml": store(
        table("Tools", *every_kind(0)[:2]),
        "<Show_TickCount>300</Show_TickCount>",
        settings=SETTINGS.replace("<Show_TickCount>450</Show_TickCount>", "")),
    "item_without_identifier.xml": store(
        table("Tools", item("C:\\a.exe", "A", "C:\\", n=1, with_id=False),
              item("C:\\b.exe", "B", "C:\\", n=2))),
    "unknown_elements.xml": store(
        "<Window_Pos x=\"10\" y=\"20\"/><!-- a note -->",
        table("Tools", "<Extra>kept</Extra>",
              item("C:\\a.exe", "A", "C:\\", n=1).replace("<Table_Item ",
                                                          "<Table_Item Color=\"red\" ")),
        "<?app-state open?>"),
    "hand_indented.xml": (
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<!--VELMOR SOFT Zarkit config file!-->\r\n"
        "<File_Desc>\r\n"
        "\t<Start_OnWindow>Yes</Start_OnWindow>\r\n"
        "\t<Show_TickCount> 300ms</Show_TickCount>\r\n"
        "\t<Show_TipOnStart>yes </Show_TipOnStart>\r\n"
        "\t<Animate_WindowOnStart>no</Animate_WindowOnStart>\r\n"
        "\t<SelTable_MouseOn>yes</SelTable_MouseOn>\r\n"
        "\t<Table_Node>\r\n"
        "\t\t<Table_Lable>Tools</Table_Lable>\r\n"
        "\t\t" + item("C:\\Tools\\editor.exe", "Editor", "C:\\Tools", "", 1) + "\r\n"
        "\t\t<Table_Item Nick_Name='Quoted' Work_Dir='' Start_Params='' "
        "Unique_Identifier='" + ident(2) + "' Is_VirtualFloder='no'>\r\n"
        "\t\t\tC:\\spaced path.exe\r\n"
        "\t\t</Table_Item>\r\n"
        "\t</Table_Node>\r\n"
        "\t<Table_Node>\r\n"
        "\t\t<Table_Lable><![CDATA[A & B]]></Table_Lable>\r\n"
        "\t</Table_Node>\r\n"
        "</File_Desc>\r\n"),
    "byte_order_mark.xml": "\ufeff" + store(table("Tools", *every_kind(0)[:1])),
    "no_file_desc.xml": PROLOG + "<Other><Table_Node><Table_Lable>X</Table_Lable>"
                        "</Table_Node></Other>",
    "unlabelled_table.xml": store("<Table_Node>" + item("C:\\a.exe", "A", n=1) +
                                  "</Table_Node>",
                                  "<Table_Node><Table_Lable></Table_Lable></Table_Node>",
                                  table("Tools", item("C:\\b.exe", "B", n=2))),
    "character_references.xml": store(
        "<Table_Node><Table_Lable>&#x1F310; Web &amp; more</Table_Lable>"
        "<Table_Item Nick_Name=\"tab&#9;newline&#10;quote&quot;\" Work_Dir=\"\" "
        "Start_Params=\"\" Unique_Identifier=\"" + ident(1) + "\" "
        "Is_VirtualFloder=\"no\">C:\\&#x41;.exe</Table_Item></Table_Node>"),
}


def main():
    CORPUS.mkdir(exist_ok=True)
    for name, text in FILES.items():
        (CORPUS / name).write_bytes(text.encode("utf-8"))
    # The same store as UTF-16, as another writer might save it.
    (CORPUS / "utf16.xml").write_bytes(
        store(table("Tools", *every_kind(0)[:2]))
        .replace("encoding=\"UTF-8\"", "encoding=\"UTF-16\"").encode("utf-16"))


if __name__ == "__main__":
    main()
