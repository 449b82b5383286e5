#!/usr/bin/env python3
"""Writes the large seeds (deep nesting, long texts, many records) into the
fuzzing corpora under the folder given, one subfolder per target. They are
made at run time rather than committed: each is close to a mebibyte, the
largest input the targets are run with."""
import pathlib
import sys

LIMIT = 1 << 20
SOAP = '<soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/">'
TOKEN = "7c41e9a03bd6f5821ce0a49d3b6"


def nested(levels, inner="钢"):
    return "<a>" * levels + inner + "</a>" * levels


def request(inside, header=""):
    return (f'<?xml version="1.0" encoding="utf-8"?>{SOAP}{header}<soap:Body>'
            f'<Tariff xmlns="http://127.0.0.1:8936/">{inside}</Tariff></soap:Body></soap:Envelope>')


def answer(operation, records):
    return (f'<?xml version="1.0" encoding="utf-8"?>{SOAP}<soap:Body><{operation}Response '
            f'xmlns="http://127.0.0.1:8936/"><{operation}Result>{records}</{operation}Result>'
            f'</{operation}Response></soap:Body></soap:Envelope>')


def tariff_record(i, code="7219.3300", name="冷轧不锈钢"):
    fields = [("ArticleID", i), ("HS_code", code), ("Product_name", name), ("MFN", "6"), ("Gen", "40"),
              ("GST", "0"), ("VAT", "13"), ("Unit", "千克"), ("SC", "A"), ("EN_Description", "flat-rolled")]
    return "<Table>" + "".join(f"<{k}>{v}</{k}>" for k, v in fields) + "</Table>"


def escaped_list(items):
    li = "&lt;li&gt;&lt;a href=&quot;http://127.0.0.1:8936/detail/article/1&quot;&gt;公告&amp;通知&lt;/a&gt;&lt;/li&gt;"
    return "&lt;ul&gt;" + li * items + "&lt;/ul&gt;"


def seeds():
    deep = 140_000  # seven bytes a level: just under the mebibyte
    yield "soaprequest", "deep-header", request(f"<keyword>钢</keyword><taken>{TOKEN}</taken>",
                                                f"<soap:Header>{nested(deep)}</soap:Header>")
    yield "soaprequest", "deep-body", f"{SOAP}<soap:Body>{nested(deep)}</soap:Body></soap:Envelope>"
    yield "soaprequest", "deep-operation", request(f"<keyword>钢</keyword>{nested(deep)}<taken>{TOKEN}</taken>")
    yield "soaprequest", "siblings", request(f"<keyword>{'<a/>' * 200_000}</keyword><taken>{TOKEN}</taken>")
    yield "soaprequest", "long-keyword", request(f"<keyword>{'钢材' * 170_000}</keyword><taken>{TOKEN}</taken>")

    # Renderers: the first byte picks the page (0 tariff, 1 commodity, 3 articles, 4 home, 5 bubble).
    yield "renderers", "deep-field", "\0" + answer("Tariff", tariff_record(1, nested(deep // 2)) * 2)
    yield "renderers", "deep-around", "\1" + answer("Commodity", nested(
        deep, "<C_Code>8471</C_Code><C_Name>计算机</C_Name><thisurl>x</thisurl><thenurl>y</thenurl>"))
    yield "renderers", "many-records", "\0" + answer("Tariff", "".join(tariff_record(i) for i in range(4_000)))
    yield "renderers", "long-value", "\3" + answer("PE_Article", "<Table><title>" + "法规" * 170_000 +
                                                    "</title><thisurl>u</thisurl>"
                                                    "<UpdateTime>2024-03-01T09:30:00+08:00</UpdateTime></Table>")
    yield "renderers", "long-home", "\4" + escaped_list(6_000)
    yield "renderers", "deep-bubble", "\5" + "&lt;a&gt;" * 50_000 + "钢" + "&lt;/a&gt;" * 50_000

    yield "htmldecode", "long-list", escaped_list(6_000)
    yield "htmldecode", "many-references", "&#38;&#x41;&amp;" * 60_000
    yield "encodestr", "long-text", "冷轧不锈钢宽平板轧材 flat-rolled " * 24_000


def main():
    out = pathlib.Path(sys.argv[1])
    for target, name, text in seeds():
        data = text.encode("utf-8")
        assert len(data) <= LIMIT, (target, name, len(data))
        folder = out / target
        folder.mkdir(parents=True, exist_ok=True)
        (folder / f"large-{name}").write_bytes(data)


if __name__ == "__main__":
    main()
