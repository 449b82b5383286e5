-- wrk script: POSTs one SOAP request exactly as the desktop program writes it.
-- OPERATION names the operation (Tariff, Commodity, mdefaut, ...); KEYWORD,
-- when set and not empty, is sent as its keyword.
local operation = assert(os.getenv("OPERATION"), "OPERATION is not set")
local keyword = os.getenv("KEYWORD")
local token = "7c41e9a03bd6f5821ce0a49d3b6"

local body = '<?xml version="1.0" encoding="utf-8"?>'
  .. '<soap:Envelope xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"'
  .. ' xmlns:xsd="http://www.w3.org/2001/XMLSchema"'
  .. ' xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/">'
  .. '<soap:Body><' .. operation .. ' xmlns="http://127.0.0.1:8936/">'
if keyword and keyword ~= "" then
  body = body .. '<keyword>' .. keyword .. '</keyword>'
end
body = body .. '<taken>' .. token .. '</taken></' .. operation .. '></soap:Body></soap:Envelope>'

wrk.method = "POST"
wrk.body = body
wrk.headers["Content-Type"] = "text/xml;charset=utf-8"
