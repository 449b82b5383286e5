-- wrk script: the polling of a desktop, six maopao requests (every 10 s) to
-- one mdefaut (every minute), as the desktop program writes them.
local token = "7c41e9a03bd6f5821ce0a49d3b6"

local function envelope(operation)
  return '<?xml version="1.0" encoding="utf-8"?>'
    .. '<soap:Envelope xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"'
    .. ' xmlns:xsd="http://www.w3.org/2001/XMLSchema"'
    .. ' xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/">'
    .. '<soap:Body><' .. operation .. ' xmlns="http://127.0.0.1:8936/">'
    .. '<taken>' .. token .. '</taken></' .. operation .. '></soap:Body></soap:Envelope>'
end

local requests = {}
local next = 0

-- Built per thread, once wrk knows the Host header to send.
init = function()
  for i = 1, 7 do
    requests[i] = wrk.format("POST", nil, { ["Content-Type"] = "text/xml;charset=utf-8" },
                             envelope(i == 7 and "mdefaut" or "maopao"))
  end
end

request = function()
  next = next % #requests + 1
  return requests[next]
end
