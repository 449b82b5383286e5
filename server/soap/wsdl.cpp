#include "wsdl.h"

#include "escape.h"

#include <array>
#include <utility>
#include <vector>

namespace tarvelo::server {
namespace {

struct OperationShape {
    std::string_view name;
    bool keyword;
    std::string_view record;                    // empty: the result is a string
    std::vector<std::string_view> fields;
};

const std::array<OperationShape, 6>& shapes()
{
    static const std::array<OperationShape, 6> all{{
        {"PE_Article", true, "Article", {"title", "thisurl", "UpdateTime"}},
        {"Commodity", true, "CommodityCode", {"C_Code", "C_Name", "thisurl", "thenurl"}},
        {"Export", true, "RebateLine", {"ArticleID", "Goods_code", "Goods_name", "Unit", "ED"}},
        {"Tariff", true, "TariffLine",
         {"ArticleID", "HS_code", "Product_name", "MFN", "Gen", "GST", "VAT", "Unit", "SC", "EN_Description"}},
        {"mdefaut", false, "", {}},
        {"maopao", false, "", {}},
    }};
    return all;
}

void stringElement(std::string& out, std::string_view name)
{
    out += R"(<s:element minOccurs="1" maxOccurs="1" name=")";
    out += name;
    out += R"(" type="s:string"/>)";
}

void schema(std::string& out, std::string_view ns)
{
    out += R"(<wsdl:types><s:schema elementFormDefault="qualified" targetNamespace=")";
    appendAttribute(out, ns);
    out += R"(">)";
    for (const OperationShape& op : shapes()) {
        out += R"(<s:element name=")";
        out += op.name;
        out += R"("><s:complexType><s:sequence>)";
        if (op.keyword)
            stringElement(out, "keyword");
        stringElement(out, "taken");
        out += R"(</s:sequence></s:complexType></s:element><s:element name=")";
        out += op.name;
        out += R"(Response"><s:complexType><s:sequence>)";
        if (op.record.empty()) {
            stringElement(out, std::string(op.name) + "Result");
        } else {
            out += R"(<s:element minOccurs="1" maxOccurs="1" name=")";
            out += op.name;
            out += R"(Result"><s:complexType><s:sequence><s:element minOccurs="0" maxOccurs="unbounded" name=")";
            out += op.record;
            out += R"(" type="tns:)";
            out += op.record;
            out += R"("/></s:sequence></s:complexType></s:element>)";
        }
        out += "</s:sequence></s:complexType></s:element>";
        if (!op.record.empty()) {
            out += R"(<s:complexType name=")";
            out += op.record;
            out += R"("><s:sequence>)";
            for (const auto field : op.fields)
                stringElement(out, field);
            out += "</s:sequence></s:complexType>";
        }
    }
    out += "</s:schema></wsdl:types>";
}

void messages(std::string& out)
{
    for (const OperationShape& op : shapes()) {
        for (const auto& [suffix, element] : {std::pair{"SoapIn", ""}, std::pair{"SoapOut", "Response"}}) {
            out += R"(<wsdl:message name=")";
            out += op.name;
            out += suffix;
            out += R"("><wsdl:part name="parameters" element="tns:)";
            out += op.name;
            out += element;
            out += R"("/></wsdl:message>)";
        }
    }
}

void portType(std::string& out)
{
    out += R"(<wsdl:portType name="ServiceSoap">)";
    for (const OperationShape& op : shapes()) {
        out += R"(<wsdl:operation name=")";
        out += op.name;
        out += R"("><wsdl:input message="tns:)";
        out += op.name;
        out += R"(SoapIn"/><wsdl:output message="tns:)";
        out += op.name;
        out += R"(SoapOut"/></wsdl:operation>)";
    }
    out += "</wsdl:portType>";
}

void binding(std::string& out, std::string_view ns)
{
    out += R"(<wsdl:binding name="ServiceSoap" type="tns:ServiceSoap">)"
           R"(<soap:binding transport="http://schemas.xmlsoap.org/soap/http"/>)";
    for (const OperationShape& op : shapes()) {
        out += R"(<wsdl:operation name=")";
        out += op.name;
        out += R"("><soap:operation soapAction=")";
        appendAttribute(out, ns);
        out += op.name;
        out += R"(" style="document"/><wsdl:input><soap:body use="literal"/></wsdl:input>)"
               R"(<wsdl:output><soap:body use="literal"/></wsdl:output></wsdl:operation>)";
    }
    out += "</wsdl:binding>";
}

} // namespace

std::string wsdlDocument(std::string_view ns, std::string_view endpoint)
{
    std::string out = R"(<?xml version="1.0" encoding="utf-8"?>)"
                      R"(<wsdl:definitions xmlns:wsdl="http://schemas.xmlsoap.org/wsdl/")"
                      R"( xmlns:soap="http://schemas.xmlsoap.org/wsdl/soap/")"
                      R"( xmlns:s="http://www.w3.org/2001/XMLSchema" xmlns:tns=")";
    appendAttribute(out, ns);
    out += R"(" targetNamespace=")";
    appendAttribute(out, ns);
    out += R"(">)";
    schema(out, ns);
    messages(out);
    portType(out);
    binding(out, ns);
    out += R"(<wsdl:service name="Service"><wsdl:port name="ServiceSoap" binding="tns:ServiceSoap">)"
           R"(<soap:address location=")";
    appendAttribute(out, endpoint);
    out += R"("/></wsdl:port></wsdl:service></wsdl:definitions>)";
    return out;
}

} // namespace tarvelo::server
