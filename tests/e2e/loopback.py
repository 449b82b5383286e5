"""What the command-line end-to-end tests share: tarvelo-service on the port
of the endpoint the program was built for, in a network namespace of the
test's own (ctest starts the test under `unshare --net`), and stopping what
they started."""
import subprocess
import urllib.parse

SKIPPED = 77  # ctest's SKIP_RETURN_CODE for these tests


def listen_address(endpoint_url):
    """The --listen address for the service, or None where the endpoint is not
    on loopback: it cannot be served in the namespace then."""
    endpoint = urllib.parse.urlsplit(endpoint_url)
    host, port = endpoint.hostname, endpoint.port or 80
    if host not in ("localhost", "::1") and not host.startswith("127."):
        return None
    return "[%s]:%d" % (host, port) if ":" in host else "%s:%d" % (host, port)


def bring_up_loopback():
    subprocess.run(["ip", "link", "set", "lo", "up"], check=True)


def stop_all(processes):
    """Stops the processes, the last started first; kills what does not end."""
    for process in reversed(processes):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
